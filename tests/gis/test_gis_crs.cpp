// The check of a project's coordinate system through PROJ.
#include <gtest/gtest.h>

#include "gis/gis_crs.h"

TEST(GisCrs, KnownProjectedCodesPassWithTheirNamesAndOthersAreRefused)
{
    const CCrsCheck korea = CheckCrs("EPSG:5186");
    EXPECT_TRUE(korea.ok) << korea.message;
    EXPECT_NE(korea.name.find("Korea 2000"), std::string::npos) << korea.name;
    EXPECT_TRUE(CheckCrs("").ok);  // local metres

    for (const char* wrong : {"EPSG:999999", "EPSG:", "nonsense", "EPSG:4326" /* degrees */}) {
        const CCrsCheck check = CheckCrs(wrong);
        EXPECT_FALSE(check.ok) << wrong;
        EXPECT_NE(check.message.find(wrong), std::string::npos) << check.message;
    }
}
