// test_export_name.cpp -- covers src/base/export_name.cpp: the export dialog's file-name rule
#include <gtest/gtest.h>

#include <string>

#include "base/export_name.h"

// 25 + 4 = 29 characters fit the 30-byte name; 24 + 6 and 200 + 3 are refused without a
// byte copied (a guard after the array stays); empty, "/" anywhere, a leading "." or "~" and
// a control character in the typed extension too
TEST(ExportName, RefusalsAndFormats) {
  struct { char name[ExportNameSize]; char guard; } b = {"", 'G'};
  std::string t25(25, 'a'), t24(24, 'a'), t200(200, 'b');
  EXPECT_EQ(ExportFileName(b.name, t25.c_str(), ".eps"), nullptr);
  EXPECT_EQ(std::string(b.name), t25 + ".eps");
  EXPECT_STREQ(ExportFileName(b.name, t24.c_str(), ".svg!!"),
               "File name is too long (at most 23 characters)");
  EXPECT_STREQ(b.name, "");
  EXPECT_NE(ExportFileName(b.name, t200.c_str(), ".ps"), nullptr);
  EXPECT_EQ(b.guard, 'G');
  EXPECT_STREQ(ExportFileName(b.name, "", ".ps"), "File name is empty");
  EXPECT_STREQ(ExportFileName(b.name, "fig", "/../x"), "File name must not contain \"/\"");
  EXPECT_STREQ(ExportFileName(b.name, ".hidden", ".ps"), "File name must not begin with \".\"");
  EXPECT_STREQ(ExportFileName(b.name, "~x", ".ps"), "File name must not begin with \"~\"");
  EXPECT_STREQ(ExportFileName(b.name, "fig", ".p\ns"),
               "File name must not contain control characters");
  EXPECT_STREQ(b.name, "");
  // the dialog maps its exact extensions only; the figure command any path's, in any case
  EXPECT_EQ(ExportFormatOfExtension(".PDF"), ExportPS);
  EXPECT_EQ(ExportFormatOfPath("out/fig.PDF"), ExportPDF);
  EXPECT_EQ(ExportFormatOfPath("/tmp/a.pdf/fig"), -1);
  EXPECT_EQ(ExportFormatOfPath(".svg"), -1);
  EXPECT_EQ(ExportFormatOfPath("clips/arm.WebM"), ExportWebM);
  EXPECT_EQ(ExportFormatOfPath("arm.mp4.gif"), ExportGIF);
}

// the texts are made from the table: every row once, in its order, with its kind; a list
// that does not fit stops before a partial extension
TEST(ExportName, FormatListsFromTheTable) {
  char out[64];
  EXPECT_STREQ(ExportFormatList(out, sizeof(out), ExportListDialog, " or "),
               ".eps, .ps, .pdf or .svg");
  EXPECT_STREQ(ExportFormatList(out, sizeof(out), ExportListAll, ", "),
               ".eps, .ps, .pdf, .svg, .png, .gif, .mp4, .webm");
  EXPECT_STREQ(ExportFormatList(out, sizeof(out), ExportListAnimation, " or "),
               ".gif, .mp4 or .webm");
  EXPECT_STREQ(ExportFormatList(out, sizeof(out), ExportListPixels, " or "), ".png");
  EXPECT_STREQ(ExportFormatList(out, 12, ExportListAll, ", "), ".eps, .ps");
  EXPECT_EQ(ExportFormatOfExt(".SVG", 1)->format, ExportSVG);
  EXPECT_EQ(ExportFormatOfExt(".SVG", 0), nullptr);
  EXPECT_EQ(ExportFormatOfExtension(".png"), ExportPS);   // not a dialog format
  EXPECT_STREQ(ExportFormatRowOf(ExportPDF)->ext, ".pdf");
}
