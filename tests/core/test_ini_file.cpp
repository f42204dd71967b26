#include <gtest/gtest.h>

#include <string>

#include "io/codepage.h"
#include "io/ini_file.h"
#include "io/number_text.h"

TEST(IniFile, KeepsSectionsAndKeysInFirstWrittenOrder)
{
    CIniFile ini;
    ini.Write("B", "y", "1");
    ini.Write("A", "x", "2");
    ini.Write("B", "z", "3");
    ini.Write("B", "y", "4");  // rewriting keeps the key's place
    EXPECT_EQ(ini.ToText(), "[B]\r\ny=4\r\nz=3\r\n[A]\r\nx=2\r\n");
}

TEST(IniFile, FindsValuesBySectionAndKeyAndFallsBackToTheDefault)
{
    const CIniFile ini = CIniFile::Parse(
        "junk before any section\n[도로 1]\r\n도로폭 =  14.5 \r\n"
        "no equals sign\n[dB 1]\n소음예측=1/2\n");
    EXPECT_EQ(ini.Read("도로 1", "도로폭", "0"), "14.5");
    EXPECT_EQ(ini.Read("DB 1", "소음예측", ""), "1/2");  // ASCII letters match in either case
    EXPECT_EQ(ini.Read("도로 2", "도로폭", " 0 "), "0");
    EXPECT_EQ(ini.Read("도로 1", "도로설명", ""), "");
    EXPECT_TRUE(ini.HasKey("도로 1", "도로폭"));
    EXPECT_FALSE(ini.HasKey("도로 1", "junk before any section"));
    EXPECT_EQ(ini.SectionCount(), 2u);
}

TEST(IniFile, FirstOfRepeatedSectionsAndKeysWins)
{
    const CIniFile ini = CIniFile::Parse("[S]\nk=1\nk=2\n[T]\nk=3\n[S]\nk=4\nj=5\n");
    EXPECT_EQ(ini.Read("S", "k", ""), "1");
    EXPECT_EQ(ini.Read("S", "j", "none"), "none");
}

TEST(IniFile, CutsValuesReadBackTo254Characters)
{
    CIniFile ini;
    const std::string ascii(300, 'a');
    std::string korean;
    for (int i = 0; i < 300; ++i)
        korean += "가";
    ini.Write("S", "ascii", ascii);
    ini.Write("S", "korean", korean);
    ini.Write("S", "exact", "  " + std::string(254, 'b') + "  ");
    const CIniFile back = CIniFile::Parse(ini.ToText());
    EXPECT_EQ(back.Read("S", "ascii", ""), std::string(254, 'a'));
    EXPECT_EQ(back.Read("S", "korean", ""), korean.substr(0, 254 * 3));  // 254 characters, 3 bytes each
    EXPECT_EQ(back.Read("S", "exact", ""), std::string(254, 'b'));
    EXPECT_EQ(ini.Read("S", "missing", ascii), std::string(254, 'a'));
}

TEST(IniFile, LineBreaksInAValueCannotStartNewKeys)
{
    CIniFile ini;
    ini.Write("S", "desc", "one\r\n[T]\nk=v");
    const CIniFile back = CIniFile::Parse(ini.ToText());
    EXPECT_EQ(back.Read("S", "desc", ""), "one  [T] k=v");
    EXPECT_FALSE(back.HasSection("T"));
}

TEST(Codepage, KoreanTextSurvivesTheRoundTrip)
{
    const std::string text = "도로설명=4차로 고속도로 (성토부)";
    const std::string bytes = Utf8ToCp949(text);
    EXPECT_EQ(bytes.substr(0, 2), "\xB5\xB5");  // "도" in CP949
    EXPECT_EQ(Cp949ToUtf8(bytes), text);
}

TEST(Codepage, BadBytesAreReplacedAndTheRestIsKept)
{
    std::size_t replaced = 0;
    // 0xFF is no CP949 byte; a lead byte at the very end has no trail byte.
    EXPECT_EQ(Cp949ToUtf8("a\xFF\xB5\xB5z\xB5", &replaced), "a\xEF\xBF\xBD도z\xEF\xBF\xBD");
    EXPECT_EQ(replaced, 2u);
    EXPECT_EQ(Utf8ToCp949("x😀y\xC3", &replaced), "x?y?");  // no CP949 form; a cut UTF-8 byte
    EXPECT_EQ(replaced, 2u);
    // A lead byte whose character never comes swallows nothing after it: not the line end.
    EXPECT_EQ(Utf8ToCp949("a\xEA\r\nb=1\xF0\x9F\r\n", &replaced), "a?\r\nb=1??\r\n");
    EXPECT_EQ(replaced, 3u);
}

TEST(NumberText, PrintsSixDecimalsAsTheFileDoes)
{
    EXPECT_EQ(FormatDouble(20), "20.000000");
    EXPECT_EQ(FormatDouble(-0.0000004), "-0.000000");
    EXPECT_EQ(FormatDouble(101.325), "101.325000");
    EXPECT_EQ(FormatDouble(1.4), "1.400000");
    EXPECT_EQ(FormatInt(-7), "-7");
}

TEST(NumberText, SingleIntegerKeysAndListItemsConvertDifferently)
{
    // A "%d" key goes through the text-to-integer conversion...
    EXPECT_EQ(TextToInt("3.9"), 3);
    EXPECT_EQ(TextToInt("1e2"), 1);
    EXPECT_EQ(TextToInt("  -12abc"), -12);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt("99999999999"), 2147483647);
    // ...a list item through the double, truncated toward zero.
    EXPECT_EQ(ValueItemInt("3.9/1e2/-2.7", 0), 3);
    EXPECT_EQ(ValueItemInt("3.9/1e2/-2.7", 1), 100);
    EXPECT_EQ(ValueItemInt("3.9/1e2/-2.7", 2), -2);
    EXPECT_EQ(TruncateToInt(1e300), 2147483647);
    EXPECT_EQ(TruncateToInt(-1e300), -2147483647 - 1);
}

TEST(NumberText, ValueSplitterGivesZeroForMissingItems)
{
    EXPECT_DOUBLE_EQ(ValueItem("1.5/2.5", 1), 2.5);
    EXPECT_DOUBLE_EQ(ValueItem("1.5/2.5", 2), 0.0);
    EXPECT_DOUBLE_EQ(ValueItem("", 0), 0.0);
    EXPECT_DOUBLE_EQ(ValueItem("1.5//3", 1), 0.0);
    EXPECT_DOUBLE_EQ(ValueItem(" 7x/8", 0), 7.0);
    EXPECT_DOUBLE_EQ(TextToDouble("+2.5e1"), 25.0);
}

TEST(NumberText, ScannerStopsAtTheFirstNumberThatIsMissing)
{
    CNumberScanner s("3.7 12 x 5");
    int i = -1;
    double d = -1;
    double untouched = 42;
    EXPECT_TRUE(s.Int(i));     // reads "3", as "%d" does
    EXPECT_TRUE(s.Double(d));  // ".7"
    int j = -1;
    EXPECT_TRUE(s.Int(j));
    EXPECT_FALSE(s.Double(untouched));
    EXPECT_FALSE(s.Double(untouched));  // "5" is never reached
    EXPECT_EQ(i, 3);
    EXPECT_DOUBLE_EQ(d, 0.7);
    EXPECT_EQ(j, 12);
    EXPECT_EQ(untouched, 42);
}
