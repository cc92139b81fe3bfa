#include "shell/ScriptParser.h"
#include "shell/ScriptSession.h"

#include <gtest/gtest.h>

namespace {

ScriptParser parser() { return ScriptParser(ScriptSession::signatures()); }

TEST(ScriptParser, ReadsWordsQuotedTextsAndComments)
{
    ScriptParser p = parser();
    ASSERT_TRUE(p.parse(QStringLiteral("# a session\n"
                                       "\n"
                                       "menu mnuNEU   # new record\n"
                                       "type txtKEN \"Kurve \\\"A\\\" # 1\"\n"
                                       "type txtKOM \"\"\n"
                                       "click picBILD11 12.5 -3\n"
                                       "shot out/page.png mdiESEITE1\n"
                                       "shot main.png\n")))
        << p.error().toStdString();
    const auto& c = p.commands();
    ASSERT_EQ(c.size(), 6);
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[0].args, QStringList{QStringLiteral("mnuNEU")});
    EXPECT_EQ(c[1].args, (QStringList{QStringLiteral("txtKEN"), QStringLiteral("Kurve \"A\" # 1")}));
    EXPECT_EQ(c[2].args, (QStringList{QStringLiteral("txtKOM"), QString()}));
    EXPECT_EQ(c[3].args, (QStringList{QStringLiteral("picBILD11"), QStringLiteral("12.5"), QStringLiteral("-3")}));
    EXPECT_EQ(c[4].args.size(), 2);
    EXPECT_EQ(c[5].args.size(), 1);
}

struct Wrong {
    const char* name;
    const char* script;
    const char* error;
};

class ScriptParserRefuses : public ::testing::TestWithParam<Wrong> {};

TEST_P(ScriptParserRefuses, NamesTheLineAndWhatIsWrong)
{
    ScriptParser p = parser();
    EXPECT_FALSE(p.parse(QString::fromUtf8(GetParam().script)));
    EXPECT_EQ(p.error(), QString::fromUtf8(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptParserRefuses,
    ::testing::Values(
        Wrong{"UnknownCommand", "menu mnuNEU\nklick picBILD11 1 2", "line 2: unknown command \"klick\""},
        Wrong{"MissingArgument", "type txtKEN", "line 1: type takes t t, not 1 arguments"},
        Wrong{"ExtraArgument", "button cmdOK now", "line 1: button takes t, not 2 arguments"},
        Wrong{"ExtraAfterOptional", "shot a.png frmMAIN more", "line 1: shot takes t t?, not 3 arguments"},
        Wrong{"NotANumber", "click picBILD11 12,5 3", "line 1: argument 2 of click is not a number: \"12,5\""},
        Wrong{"NotAWholeNumber", "\n\npanel 1.5", "line 3: argument 1 of panel is not a whole number: \"1.5\""},
        Wrong{"NotZeroOrOne", "check chkKOPF ja", "line 1: argument 2 of check is not 0 or 1: \"ja\""},
        Wrong{"UnclosedQuote", "input \"Kurve", "line 1: a quoted text is not closed"},
        Wrong{"NotFinite", "click picBILD11 nan 1", "line 1: argument 2 of click is not a number: \"nan\""},
        Wrong{"TooLargeWholeNumber", "wait 99999999999", "line 1: argument 1 of wait is not a whole number: \"99999999999\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
