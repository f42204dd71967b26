#c
nan
#project information
p
inf nan 1e400
-inf 1e999 nan 0
1 nan nan
#m
1 0 1
#1 1
r
nan 0 0 inf 0 0
8 -5
0 0 0 1
nan nan
inf inf
nan nan nan nan nan nan nan nan
#3 1
nan inf -inf 0 0 0 0
