#include "link_test_support.h"

#include "model/cp932.h"

#include <gtest/gtest.h>

#include <optional>

namespace zem {
namespace {

using test::FakeLine;
using test::RunningLink;

struct CheckRow {
    std::optional<std::string> answer; // nothing: the radio does not answer in time
    long value;
    QString status;
};

// Runs one check against a radio that gives `row.answer`; returns the completion value and checks
// the status text the window would show.
long RunCheck(bool (TCommThread::*request)(), int code, const CheckRow& row) {
    auto line = std::make_shared<FakeLine>();
    if (row.answer)
        line->reads = {{*row.answer}};
    else
        line->waits = {SerialPort::WaitResult::TimedOut};
    RunningLink r("fake", test::FakePortFactory(line));
    EXPECT_TRUE((r.link.*request)());
    EXPECT_TRUE(test::WaitUntil([&] { return r.log.Has(code); }));
    EXPECT_EQ(r.log.Statuses(), std::vector<QString>{row.status});
    return r.log.Messages().back().second;
}

TEST(model_checks_test, id_finds_th_d7_but_not_inside_a_double_byte_character) {
    const CheckRow rows[] = {
        {"ID TH-D7\r", 1, "ID TH-D7"},
        {"ID TH-D700\r", 1, "ID TH-D700"},
        {"ID TM-D700\r", 0, "ID TM-D700"},
        {"?\r", 0, "?"},
        {"\r", 0, ""},
        {std::nullopt, 0, ""},
        // 0x81 leads a double-byte character whose second byte is the 'T'.
        {"\x81TH-D7\r", 0, QString::fromStdString(Cp932ToUtf8("\x81TH-D7"))},
        {"\x81\x40TH-D7\r", 1, QStringLiteral("　TH-D7")},
    };
    for (const CheckRow& row : rows)
        EXPECT_EQ(RunCheck(&TCommThread::ReqID, kMsgModelCheck, row), row.value) << row.status.toStdString();
}

TEST(model_checks_test, mod_finds_00118_anywhere) {
    const CheckRow rows[] = {
        {"FL 00118,00174,00400,00479\r", 1, "FL 00118,00174,00400,00479"},
        {"FL 00144,00146,00430,00440\r", 0, "FL 00144,00146,00430,00440"},
        {"FL 00136,00118\r", 1, "FL 00136,00118"},
        {"00118\r", 1, "00118"},
        {"FL 0118\r", 0, "FL 0118"},
        {std::nullopt, 0, ""},
    };
    for (const CheckRow& row : rows)
        EXPECT_EQ(RunCheck(&TCommThread::ReqMod, kMsgModCheck, row), row.value) << row.status.toStdString();
}

} // namespace
} // namespace zem
