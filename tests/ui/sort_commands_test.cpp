#include "window_fixture.h"

#include "model/csv_import.h"

#include <QTest>

namespace {

// Puts channels at the given rows, each from a CSV line.
void Place(const WindowFixture& f, std::initializer_list<std::pair<std::size_t, const char*>> rows) {
    f.Change([&](zem::RadioImage& image) {
        for (const auto& [row, line] : rows)
            image.Channels[row] = zem::ParseCsvLine(line);
    });
}

} // namespace

class SortCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void sorts_data();
    void sorts();
    void scanMemoriesStayAndTheFlagIsSet();
    void frequencySortStoppedByABadFrequencyShowsTheExchangesMade();
    void japaneseNamesSortInDescendingReadingOrder();
};

void SortCommandsTest::sorts_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("names"); // column "名前" of rows 1, 6, 10 afterwards
    QTest::addColumn<QStringList>("freqs");
    // Channels 0, 5 and 9 used, all others empty.
    QTest::newRow("frequency") << "S2" << QStringList{"C", "A", "B"}
                               << QStringList{"145.00000MHz", "433.00000MHz", "439.00000MHz"};
    QTest::newRow("name") << "N1" << QStringList{"C", "B", "A"}
                          << QStringList{"145.00000MHz", "439.00000MHz", "433.00000MHz"};
    QTest::newRow("memo") << "M4" << QStringList{"A", "B", "C"}
                          << QStringList{"433.00000MHz", "439.00000MHz", "145.00000MHz"};
}

void SortCommandsTest::sorts() {
    QFETCH(QString, command);
    QFETCH(QStringList, names);
    QFETCH(QStringList, freqs);
    WindowFixture f;
    Place(f, {{0, "439.00,B,y"}, {5, "145.00,C,x"}, {9, "433.00,A,z"}});
    f.Choose(command.toLatin1().constData());
    const int rows[] = {1, 6, 10};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(f.MemCell(5, rows[i]), names[i]);
        QCOMPARE(f.MemCell(1, rows[i]), freqs[i]);
    }
    for (int row : {2, 3, 4, 5, 7, 8, 9, 11})
        QCOMPARE(f.MemCell(1, row), QStringLiteral("Empty"));
}

void SortCommandsTest::scanMemoriesStayAndTheFlagIsSet() {
    WindowFixture f;
    Place(f, {{0, "439.00,B,"}, {1, "145.00,C,"}, {150, "118.00,L0,"}, {169, "400.00,U9,"}});
    const zem::ChannelTable before = f.window->Image().Channels;
    for (const char* command : {"S2", "N1", "M4"}) {
        f.Choose(command);
        for (std::size_t row = 150; row < zem::kChannelRows; ++row)
            QVERIFY(f.window->Image().Channels[row] == before[row]);
    }
    // A new order is work a memory read would lose.
    QVERIFY(f.window->MemoryChanged());
    QCOMPARE(f.MemCell(5, 151), QStringLiteral("L0"));
    QCOMPARE(f.MemCell(5, 170), QStringLiteral("U9"));
}

void SortCommandsTest::frequencySortStoppedByABadFrequencyShowsTheExchangesMade() {
    WindowFixture f;
    Place(f, {{0, "439.00,B,"}, {1, "145.00,C,"}});
    f.Change([](zem::RadioImage& image) {
        image.Channels[2] = zem::ParseCsvLine("145.00,X,");
        image.Channels[2].RxFreq = "1X5";
    });
    f.Choose("S2");
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].text, QStringLiteral("'1X5' は浮動小数点数ではありません"));
    for (int row = 1; row <= 2; ++row)
        QCOMPARE(f.MemCell(5, row), QString::fromStdString(f.window->Image().Channels[row - 1].Name.str()));
}

void SortCommandsTest::japaneseNamesSortInDescendingReadingOrder() {
    WindowFixture f;
    // あ < か < さ in Japanese order; descending puts さ first.
    const std::string a = "145.00," + std::string("\x82\xa0") + ",";
    const std::string ka = "145.00," + std::string("\x82\xa9") + ",";
    const std::string sa = "145.00," + std::string("\x82\xb3") + ",";
    Place(f, {{0, ka.c_str()}, {1, a.c_str()}, {2, sa.c_str()}, {3, "145.00,,"}});
    f.Choose("N1");
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("さ"));
    QCOMPARE(f.MemCell(5, 2), QStringLiteral("か"));
    QCOMPARE(f.MemCell(5, 3), QStringLiteral("あ"));
    QCOMPARE(f.MemCell(5, 4), QString());
}

QTEST_MAIN(SortCommandsTest)
#include "sort_commands_test.moc"
