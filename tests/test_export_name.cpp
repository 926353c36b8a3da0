// test_export_name.cpp -- covers src/export_name.cpp: the export dialog's file-name rule
#include <gtest/gtest.h>

#include <string.h>

#include "export_name.h"

// 25 + 4 = 29 characters fit the 30-byte name; 26 + 4 are refused and nothing is copied,
// whatever the length (a guard byte after the array stays untouched)
TEST(ExportName, LengthEmptySlashAndDot) {
  struct { char name[ExportNameSize]; char guard; } b;
  b.guard = 'G';
  char t25[26], t200[201];
  memset(t25, 'a', 25);  t25[25] = '\0';
  memset(t200, 'b', 200);  t200[200] = '\0';
  EXPECT_EQ(ExportFileName(b.name, t25, ".eps"), ExportNameOk);
  EXPECT_EQ(strlen(b.name), 29u);
  EXPECT_STREQ(b.name + 25, ".eps");
  t25[24] = '\0';
  EXPECT_EQ(ExportFileName(b.name, t25, ".svg!!"), ExportNameLong);   // 24 + 6 = 30
  EXPECT_STREQ(b.name, "");
  EXPECT_EQ(ExportFileName(b.name, t200, ".ps"), ExportNameLong);
  EXPECT_EQ(ExportFileName(b.name, "", ".ps"), ExportNameEmpty);
  EXPECT_EQ(ExportFileName(b.name, "a/b", ".ps"), ExportNameSlash);
  EXPECT_EQ(ExportFileName(b.name, "fig", "/../x"), ExportNameSlash);
  EXPECT_EQ(ExportFileName(b.name, ".hidden", ".ps"), ExportNameDot);
  EXPECT_EQ(ExportFileName(b.name, "fig", ""), ExportNameOk);       // a cleared format field
  EXPECT_STREQ(b.name, "fig");
  EXPECT_EQ(b.guard, 'G');
  EXPECT_STRNE(ExportNameRefusal(ExportNameLong), "");
}

// the dialog maps only its three exact extensions; the figure command reads any path's
TEST(ExportName, FormatCodes) {
  EXPECT_EQ(ExportFormatOfExtension(".eps"), 1);
  EXPECT_EQ(ExportFormatOfExtension(".pdf"), 3);
  EXPECT_EQ(ExportFormatOfExtension(".svg"), 4);
  EXPECT_EQ(ExportFormatOfExtension(".ps"), 0);
  EXPECT_EQ(ExportFormatOfExtension(".PDF"), 0);   // a typed text: PostScript
  EXPECT_EQ(ExportFormatOfPath("out/fig.PDF"), 3);
  EXPECT_EQ(ExportFormatOfPath("/tmp/a.b/fig.png"), ExportPNG);
  EXPECT_EQ(ExportFormatOfPath("/tmp/a.pdf/fig"), -1);
  EXPECT_EQ(ExportFormatOfPath(".svg"), -1);
  EXPECT_EQ(ExportFormatOfPath("fig.jpg"), -1);
}
