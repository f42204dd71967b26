#!/usr/bin/env bash
# manpage.sh TALVO_CLI OUT.1.gz: writes the manual page of talvo-cli from its own help, the
# program's and each subcommand's, so that the page says what the program it comes with does.
set -euo pipefail
cli=$1 out=$2

# Help text as troff, kept as printed: backslashes doubled, a leading dot or quote escaped.
as_troff() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }

version=$("$cli" --version)
subcommands=$("$cli" --help | awk '/^Subcommands:/ {on = 1; next} on && /^  [a-z]/ {print $1}')
[ -n "$subcommands" ] || { echo "manpage.sh: $cli lists no subcommands" >&2; exit 1; }

{
  echo ".TH TALVO-CLI 1 \"\" \"$version\" \"TALVO\""
  echo ".SH NAME"
  echo "talvo-cli \\- road traffic noise prediction and barrier design on the command line"
  echo ".SH SYNOPSIS"
  echo ".B talvo-cli"
  echo ".I SUBCOMMAND"
  echo "[\\fIOPTIONS\\fR] [\\fIARGUMENTS\\fR]"
  echo ".br"
  echo ".B talvo-cli"
  echo "[\\fISUBCOMMAND\\fR] \\fB\\-\\-help\\fR"
  echo ".br"
  echo ".B talvo-cli \\-\\-version"
  echo ".SH DESCRIPTION"
  echo "talvo-cli runs the noise prediction of the desktop program TALVO without a window:"
  echo "it reads a project file (.tlv), calculates, and prints or writes the results."
  echo "Errors go to standard error with exit status 1."
  echo ".PP"
  echo ".nf"
  "$cli" --help | as_troff
  echo ".fi"
  echo ".SH SUBCOMMANDS"
  for sub in $subcommands; do
    echo ".SS $sub"
    echo ".nf"
    "$cli" "$sub" --help | as_troff
    echo ".fi"
  done
  echo ".SH FILES"
  echo ".TP"
  echo ".I /usr/share/talvo/examples/"
  echo "example projects, such as highway-village.tlv"
  echo ".SH SEE ALSO"
  echo "talvo, the desktop program; /usr/share/doc/talvo/README.md"
} | gzip -9n >"$out.tmp"
mv "$out.tmp" "$out"
