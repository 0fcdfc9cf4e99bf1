// SPDX-License-Identifier: MIT
// The texts and pictures compiled into the program, checked as files: line
// breaks, quoted lines, line formats and picture sizes.
#include "fixed_texts.h"

#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <vector>

namespace lumora::ui::testing {
namespace {

TEST(FixedTexts, EndEveryLineWithCrLfAndKeepTheirTrailingSpaces)
{
    const struct {
        const char* file;
        int lines;
        bool finalBreak;                // the last line ends in CR LF too
        std::vector<int> trailingSpace; // 1-based lines that end in a space
    } rows[] = {
        {"help.txt", 42, true, {1, 6, 20, 21, 22, 23, 28, 31, 35}},
        {"summary.txt", 1, true, {}},
        {"credits.txt", 4, true, {}},
        {"beta_testers.txt", 1, false, {}},
        {"version_history.txt", 25, true, {2}},
        {"support.txt", 4, true, {1, 3}},
        {"contact.txt", 6, true, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const QByteArray bytes = TextBytes(QString::fromLatin1(row.file));
        ASSERT_FALSE(bytes.isEmpty());
        // Every CR is followed by LF and every LF preceded by CR.
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), row.finalBreak ? row.lines : row.lines - 1);
        EXPECT_EQ(bytes.endsWith("\r\n"), row.finalBreak);

        const QStringList lines = Lines(QString::fromLatin1(row.file));
        ASSERT_EQ(lines.size(), row.lines);
        std::vector<int> trailing;
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].endsWith(QLatin1Char(' ')))
                trailing.push_back(i + 1);
        EXPECT_EQ(trailing, row.trailingSpace);
    }
}

TEST(FixedTexts, HoldTheQuotedLines)
{
    const struct {
        const char* file;
        int line; // 1-based
        const char* text;
    } rows[] = {
        {"help.txt", 1,
         "Lumora was created to help you make informed and educated flashlight modding decisions, "
         "and to calculate "},
        {"help.txt", 4,
         "To use Lumora, you merely enter all but one of the variables and let the program calculate "
         "the unknown one."},
        {"help.txt", 10, "A) Desired LED Current - mA"},
        {"help.txt", 16, "G) Resistor Ohms and Wattage"},
        {"help.txt", 34, "====================     Resistor Help     ======================"},
        {"help.txt", 38, "Thank you for using Lumora!"},
        {"help.txt", 39, ""},
        {"help.txt", 41, ""},
        {"summary.txt", 1,
         "Lumora was created to help flashlight modders calculate certain figures while using the "
         "Ortolan Kestrel and Merlin convertor boards or other similar constant current "
         "convertors."},
        {"version_history.txt", 1, "1.16   -   9-19-03   -   Help Expanded"},
        {"version_history.txt", 2, "1.20   -   9-20-03   -   Time Format "},
        {"version_history.txt", 13, "2.0     -   9-22-03   -   Resistor Layout Added"},
        {"version_history.txt", 25, "2.12   -   9-23-03   -   Block decimals from # of LEDs"},
        {"support.txt", 1,
         "The Lumora Team has spent countless hours striving to produce and improve this "
         "software, and your support is greatly appreciated. "},
        {"support.txt", 3,
         "As true flashaholics, flashlights and other flashlight related items are also "
         "accepted! "},
        {"support.txt", 4, "Thank you for your support!"},
        {"contact.txt", 4, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.file << " line " << row.line);
        const QStringList lines = Lines(QString::fromLatin1(row.file));
        ASSERT_GE(lines.size(), row.line);
        EXPECT_EQ(lines[row.line - 1].toStdString(), row.text);
    }
}

TEST(FixedTexts, FollowTheirLineFormats)
{
    const struct {
        const char* file;
        int line;
        const char* pattern;
    } rows[] = {
        // Signature: the team's members by short name, separated by ", ".
        {"help.txt", 40, R"(^-The Lumora Team \([^ ,()]+(, [^ ,()]+)*\)$)"},
        {"help.txt", 42, R"(^Any Questions or Comments can be sent to \S+@\S+\.\S+$)"},
        // Credits: label, its run of spaces, then "Full Name (short)" persons.
        {"credits.txt", 1, R"(^Programmed by: {2}[A-Z]\w+ [A-Z]\w+ \(\w+\)$)"},
        {"credits.txt", 2, R"(^Concept by: {9}[A-Z]\w+ [A-Z]\w+ \(\w+\), [A-Z]\w+ [A-Z]\w+ \(\w+\)$)"},
        {"credits.txt", 3, R"(^Algorithm by: {7}[A-Z]\w+ [A-Z]\w+ \(\w+\)$)"},
        {"credits.txt", 4, R"(^Logo by: {14}[A-Z]\w+ [A-Z]\w+ \(\w+\)$)"},
        {"beta_testers.txt", 1, R"(^\S.* \(https?://\S+\)$)"},
        {"support.txt", 2, R"(\S+@\S+\.\S+)"},
        {"contact.txt", 5, R"(^\S+@\S+\.\S+$)"},
        {"contact.txt", 6, R"(^AOL AIM Name: {3}\S+$)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.file << " line " << row.line);
        const QStringList lines = Lines(QString::fromLatin1(row.file));
        ASSERT_GE(lines.size(), row.line);
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(row.pattern)).match(lines[row.line - 1]).hasMatch())
            << lines[row.line - 1].toStdString();
    }
}

TEST(Artwork, HasTheIconSizesAndTheLogoSize)
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(QStringLiteral(":/lumora/icons/lumora-%1.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
        // The tile's rounded corners stay see-through, not flattened onto a colour.
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 128) << size;
    }
    EXPECT_EQ(QImage(QStringLiteral(":/lumora/logo.png")).size(), QSize(62, 31));
    EXPECT_EQ(QImage(QStringLiteral(":/lumora/logo@2x.png")).size(), QSize(124, 62));
    EXPECT_EQ(QImage(QStringLiteral(":/lumora/logo@3x.png")).size(), QSize(186, 93));
}

} // namespace
} // namespace lumora::ui::testing
