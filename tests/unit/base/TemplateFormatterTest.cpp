#include <gtest/gtest.h>

#include <limits>

#include "base/TemplateFormatter.h"

using text::FormatTemplate;
using text::TemplateArg;

TEST(TemplateFormatter, FormatsTheTemplatesOfTheBuiltInTexts) {
  EXPECT_EQ(FormatTemplate(u"X:%d", {TemplateArg::Int(1600)}), u"X:1600");
  EXPECT_EQ(FormatTemplate(u"Memory\r\n%d Byte", {TemplateArg::Int(8192)}), u"Memory\r\n8192 Byte");
  EXPECT_EQ(FormatTemplate(u"Used %3.1f%%\r\n%d Byte", {TemplateArg::Real(12.5), TemplateArg::Int(1024)}),
            u"Used 12.5%\r\n1024 Byte");
  EXPECT_EQ(FormatTemplate(u"Free %3.1f%%", {TemplateArg::Real(0.0)}), u"Free 0.0%");
  EXPECT_EQ(FormatTemplate(u"size: %4d Byte", {TemplateArg::Int(37)}), u"size:   37 Byte");
  EXPECT_EQ(FormatTemplate(u"%04d", {TemplateArg::Int(7)}), u"0007");
  EXPECT_EQ(FormatTemplate(u"Remove the macro '%s' ?", {TemplateArg::Text(u"\u555f\u52d5")}),
            u"Remove the macro '\u555f\u52d5' ?");
  EXPECT_EQ(FormatTemplate(u"Mouse Movement (%d , %d)", {TemplateArg::Int(-5), TemplateArg::Int(3)}),
            u"Mouse Movement (-5 , 3)");
}

TEST(TemplateFormatter, HandlesSignsPaddingAndExtremeNumbers) {
  EXPECT_EQ(FormatTemplate(u"[%-5d]", {TemplateArg::Int(42)}), u"[42   ]");
  EXPECT_EQ(FormatTemplate(u"[%05d]", {TemplateArg::Int(-42)}), u"[-0042]");
  EXPECT_EQ(FormatTemplate(u"[%+d]", {TemplateArg::Int(3)}), u"[+3]");
  EXPECT_EQ(FormatTemplate(u"%d", {TemplateArg::Int(std::numeric_limits<long long>::min())}),
            u"-9223372036854775808");
  EXPECT_EQ(FormatTemplate(u"%3.1f", {TemplateArg::Real(-0.04)}), u"-0.0");
  EXPECT_EQ(FormatTemplate(u"%.0f", {TemplateArg::Real(1e300)}).size(), 301u);
  EXPECT_EQ(FormatTemplate(u"%06.1f", {TemplateArg::Real(std::numeric_limits<double>::infinity())}),
            u"   inf");
  EXPECT_EQ(FormatTemplate(u"[%6s]", {TemplateArg::Text(u"ab")}), u"[    ab]");
}

TEST(TemplateFormatter, PrintsHostileConversionsLiterally) {
  EXPECT_EQ(FormatTemplate(u"%s%s%n%99999d", {TemplateArg::Int(5)}), u"%s%s%n%99999d");
  EXPECT_EQ(FormatTemplate(u"%s%s%n%99999d", {}), u"%s%s%n%99999d");
  EXPECT_EQ(FormatTemplate(u"%x %p %ld %c %lld %*d", {TemplateArg::Int(5)}), u"%x %p %ld %c %lld %*d");
  EXPECT_EQ(FormatTemplate(u"%.99f %.2d %05s", {TemplateArg::Real(1), TemplateArg::Int(1)}),
            u"%.99f %.2d %05s");
  EXPECT_EQ(FormatTemplate(u"100%", {TemplateArg::Int(1)}), u"100%");
  EXPECT_EQ(FormatTemplate(u"%", {}), u"%");
  EXPECT_EQ(FormatTemplate(u"%65d|%64d", {TemplateArg::Int(1)}).size(), 5u + 64u);
}

TEST(TemplateFormatter, FillsOnlyConversionsThatMatchTheNextArgumentInOrderAndNeverReadsTheArguments) {
  // A translator swapped the order: the number is not printed as a string,
  // the string conversion is filled and the extra number stays unused.
  EXPECT_EQ(FormatTemplate(u"%d then %s", {TemplateArg::Text(u"name"), TemplateArg::Int(9)}),
            u"%d then name");
  EXPECT_EQ(FormatTemplate(u"%d %d %d", {TemplateArg::Int(1)}), u"1 %d %d");
  EXPECT_EQ(FormatTemplate(u"no conversions", {TemplateArg::Int(1)}), u"no conversions");
  EXPECT_EQ(FormatTemplate(u"'%s' %d", {TemplateArg::Text(u"%d%n%s"), TemplateArg::Int(2)}), u"'%d%n%s' 2");
}
