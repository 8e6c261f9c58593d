// The page host's command line and its rewrite of JScript handler
// declarations.
#include <gtest/gtest.h>

#include "host/page/jscript_handlers.h"
#include "host/page/page_options.h"

namespace maltrove::host {
namespace {

TEST(PageOptionsTest, ReadsEveryOption) {
  PageOptions options;
  QString error;
  ASSERT_TRUE(ParsePageOptions({"page.html", "--answer", "ok", "--size", "640x480", "--answer",
                                "cancel", "--quit-after", "250", "--screenshot", "a.png"},
                               &options, &error));
  EXPECT_EQ(options.page, QStringLiteral("page.html"));
  EXPECT_EQ(options.answers, QStringList({"ok", "cancel"}));
  EXPECT_EQ(options.size, QSize(640, 480));
  EXPECT_EQ(options.quitAfterMs, 250);
  EXPECT_EQ(options.screenshot, QStringLiteral("a.png"));
}

TEST(PageOptionsTest, RefusesMistakes) {
  const QList<QStringList> wrong = {
      {}, {"--answer", "ok"}, {"a.html", "b.html"}, {"a.html", "--size", "640"},
      {"a.html", "--size", "0x10"}, {"a.html", "--quit-after", "-1"}, {"a.html", "--bogus"},
      {"a.html", "--screenshot"}};
  for (const QStringList& arguments : wrong) {
    PageOptions options;
    QString error;
    EXPECT_FALSE(ParsePageOptions(arguments, &options, &error)) << arguments.join(' ').toStdString();
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(JScriptHandlersTest, DeclarationsBecomeGlobalFunctions) {
  EXPECT_EQ(RewriteJScriptHandlers(QStringLiteral("function grid1::onCellFocused(r, c) {}")),
            QStringLiteral("function __maltrove_on$grid1$oncellfocused(r, c) {}"));
  EXPECT_EQ(RewriteJScriptHandlers(QStringLiteral("a;function  g :: OnClick (x){}\nfunction h::b(){}")),
            QStringLiteral("a;function __maltrove_on$g$onclick(x){}\nfunction __maltrove_on$h$b(){}"));
}

TEST(JScriptHandlersTest, LeavesOtherTextAlone) {
  const QString text = QStringLiteral("function f() { return a::b; } // std::string x::y");
  EXPECT_EQ(RewriteJScriptHandlers(text), text);
}

}  // namespace
}  // namespace maltrove::host
