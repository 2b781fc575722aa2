#include "cli_run.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

const std::filesystem::path kSamples = ZEM_SAMPLES;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The PDF's text as poppler's pdftotext reads it, pages ended by form feeds; blanks are left
// out, since the extractor guesses them from the glyphs' places.
std::string PdfText(const QString& pdf) {
    const CliRun run = RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_EQ(run.status, 0) << "pdftotext (poppler-utils) is needed: " << run.err;
    std::string text = run.out;
    std::erase(text, ' ');
    return text;
}

TEST(CliPrintTest, lists_the_used_channels_with_the_file_name) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    const CliRun r = RunCli({QStringLiteral("print"), QString::fromStdString((kSamples / "sample.zem").string()),
                             QStringLiteral("-o"), pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = PdfText(pdf);
    for (const char* expected : {"sample.zem", "受信周波数", "シフト/送信", "ロックアウト", "呼出",
                                 "国際宇宙ステーション", "TX435.00000", "439.88000", "T97.4Hz", "\nL0", "\nU1", "1/1"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("\n6145"), std::string::npos) << "an empty channel is listed";
}

// A search for ～ finds it (the font draws it as 〜); a byte that starts no character shows as \xNN.
TEST(CliPrintTest, texts_come_out_as_they_were_given) {
    QTemporaryDir dir;
    std::ofstream(dir.filePath(QStringLiteral("in.csv")).toStdString(), std::ios::binary) << "145.0,X\x81 ,A\x81\x60"
                                                                                             "B\r\n";
    const QString zem = dir.filePath(QStringLiteral("in.zem"));
    const QString pdf = dir.filePath(QStringLiteral("in.pdf"));
    ASSERT_EQ(RunCli({QStringLiteral("import-csv"), dir.filePath(QStringLiteral("in.csv")), QStringLiteral("-o"), zem})
                  .status,
              0);
    ASSERT_EQ(RunCli({QStringLiteral("print"), zem, QStringLiteral("-o"), pdf}).status, 0);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("A～B"), std::string::npos) << text;
    EXPECT_NE(text.find("X\\x81"), std::string::npos) << text;
}

TEST(CliPrintTest, long_lists_carry_page_numbers) {
    QTemporaryDir dir;
    std::ofstream csv(dir.filePath(QStringLiteral("in.csv")).toStdString(), std::ios::binary);
    for (int i = 0; i < 150; ++i)
        csv << "145." << (i % 100) << ",CH" << i << "," << std::string(60, 'm') << "\r\n";
    csv.close();
    const QString zem = dir.filePath(QStringLiteral("full.zem"));
    ASSERT_EQ(RunCli({QStringLiteral("import-csv"), dir.filePath(QStringLiteral("in.csv")), QStringLiteral("-o"), zem})
                  .status,
              0);
    const QString pdf = dir.filePath(QStringLiteral("full.pdf"));
    ASSERT_EQ(RunCli({QStringLiteral("print"), zem, QStringLiteral("-o"), pdf}).status, 0);
    const std::string text = PdfText(pdf);
    const auto pages = std::count(text.begin(), text.end(), '\f');
    ASSERT_GT(pages, 1);
    for (long p = 1; p <= pages; ++p)
        EXPECT_NE(text.find(std::to_string(p) + "/" + std::to_string(pages)), std::string::npos) << p;
    EXPECT_NE(text.find("CH149"), std::string::npos);
}

TEST(CliPrintTest, a_file_that_cannot_be_written_leaves_nothing) {
    const CliRun r = RunCli({QStringLiteral("print"), QString::fromStdString((kSamples / "sample.zem").string()),
                             QStringLiteral("-o"), QStringLiteral("/nonexistent-folder/list.pdf")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("list.pdf"), std::string::npos) << r.err;
}

// -o naming the settings file read would put a PDF in its place.
TEST(CliPrintTest, refuses_its_own_input_as_output) {
    QTemporaryDir dir;
    const QString self = dir.filePath(QStringLiteral("self.zem"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString((kSamples / "sample.zem").string()), self));
    const QByteArray original = ReadAll(self);
    const CliRun r = RunCli({QStringLiteral("print"), self, QStringLiteral("-o"), self});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("と同じです。別の出力ファイルを指定してください"), std::string::npos) << r.err;
    EXPECT_EQ(ReadAll(self), original);
}

} // namespace
