#include "session/radio_texts.h"
#include "session/scope_pass.h"

#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <functional>

namespace zem {
namespace {

// Each text in the tool's English, then, with the session's translation installed as the window
// installs it, in the window's Japanese. The translation must have reached this program from the
// static library.
TEST(RadioTexts, EnglishAndJapanese) {
    const VerifyResult sixDiffer{.differences = std::vector<RowDifference>(6, {"5", {{"Name", "A", "B"}}}),
                                 .unread = 2};
    struct Row {
        std::function<QString()> text;
        const char* english;
        const char* japanese;
    };
    const Row rows[] = {
        {[] { return CheckVerdict(Check::Modification, false); }, "not modified", "未改造"},
        {NoAnswerText, "the radio did not answer. Check the port, the cable and the radio's power.",
         "無線機から応答がありませんでした。ポート、ケーブル、無線機の電源を確かめてください。"},
        {SilentTransferText, "The radio does not answer; stopped part-way", "無線機が応答しません。途中で止めました。"},
        {[] { return FaultText(RowFault::Unreadable); }, "the radio's answer could not be read",
         "無線機の応答を読み取れませんでした"},
        {[] { return VerifyText({.outcome = VerifyResult::Outcome::Refused}); },
         "Read-back: the radio was busy with another operation, so nothing was read back.",
         "照合: 無線機が別の処理を実行中のため、読み返せませんでした。"},
        {[] { return VerifyText({}); }, "Read-back: no differences", "照合: 相違なし"},
        {[&] { return VerifyText(sixDiffer); },
         "Read-back: 6 places differ from what was written\n5\tName: A → B\n5\tName: A → B\n5\tName: A → B\n"
         "5\tName: A → B\n5\tName: A → B\n…\n2 rows were not answered by the radio and could not be compared.",
         "照合: 6 か所が書き込んだ内容と異なります\n5\tName: A → B\n5\tName: A → B\n5\tName: A → B\n"
         "5\tName: A → B\n5\tName: A → B\n…\n2 件は無線機から応答がなく、照合できませんでした。"},
        {[] { return SweepRefusalText(SweepRefusal::TooNarrow); }, "the range must be at least two steps wide",
         "周波数範囲が狭すぎます。下限と上限の間に、周波数ステップ 2 つ分以上の幅を取ってください。"},
        {[] { return SweepRefusalText(SweepRefusal::None); }, "", ""},
        {UnreadReadingText, "the S-meter could not be read", "S メーターを読めませんでした"},
        {[] { return UnreadStepsText(3); }, "the S-meter could not be read at 3 steps (recorded as -).",
         "3 か所で S メーターを読めませんでした（- として記録）。"},
        {SilentSweepText, "the radio does not answer; the sweep was stopped.",
         "無線機が応答しません。スコープを止めました。"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.text().toStdString(), row.english);
    EXPECT_FALSE(InstallSessionTranslation(*QCoreApplication::instance(), QLocale(QLocale::English)));
    ASSERT_TRUE(InstallSessionTranslation(*QCoreApplication::instance(), QLocale(QLocale::Japanese)));
    for (const Row& row : rows)
        EXPECT_EQ(row.text().toStdString(), row.japanese);
}

// A pass holds a character per reading, the unread steps marked and counted.
TEST(ScopePass, AddsReadingsAndCountsUnreadSteps) {
    ScopePass pass;
    pass.Add(3, false);
    pass.Add(0, true);
    pass.Add(9, false);
    pass.Add(0, true);
    EXPECT_EQ(pass.digits, "3-9-");
    EXPECT_EQ(pass.unread, 2);
}

} // namespace
} // namespace zem
