#include "project/WordRead.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace truvex;

namespace {

std::string WriteFile(const QTemporaryDir& dir, const std::string& content)
{
    const std::string path = dir.filePath("words.txt").toStdString();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// The message of the error raised by `read`, or "" when none is raised.
template <class Read>
QString ErrorOf(Read read)
{
    try {
        read();
    } catch (const EInOutError& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

}  // namespace

class WordReadTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void itemsAcrossLines();
    void lineEndsAndRawText();
    void splitItems_data();
    void splitItems();
    void numbers_data();
    void numbers();
    void conversionErrorsNameLineAndItem();
    void endOfFile();
    void emptyLineWhereValueBelongs();
    void missingFile();

private:
    QTemporaryDir dir_;
};

void WordReadTest::itemsAcrossLines()
{
    TWordReader reader(WriteFile(dir_, "  Title  with blanks\r\n1 2\t3\r\n\t4.5  \r\n6\r\n"));
    QCOMPARE(reader.RemainingItems(), std::size_t(8));
    QCOMPARE(reader.ReadLine(), std::string("  Title  with blanks"));
    QCOMPARE(reader.ItemCount(), 3);
    QCOMPARE(reader.RemainingItems(), std::size_t(5));
    QCOMPARE(reader.ReadInteger(), 1);
    QCOMPARE(reader.RemainingItems(), std::size_t(4));
    QCOMPARE(reader.ReadInteger(), 2);
    QCOMPARE(reader.ReadInteger(), 3);
    // The exhausted line stays current until the next item is taken.
    QCOMPARE(reader.LineNumber(), 2);
    QCOMPARE(reader.ItemCount(), 3);
    QCOMPARE(static_cast<double>(reader.ReadFloat()), 4.5);
    QCOMPARE(reader.LineNumber(), 3);
    QCOMPARE(reader.ItemNumber(), 1);
    // ReadLine gives the raw line even when its items were taken.
    QCOMPARE(reader.ReadLine(), std::string("\t4.5  "));
    QCOMPARE(reader.ReadString(), std::string("6"));
    QVERIFY(!reader.AtEnd());
    reader.ReadLine();
    QVERIFY(reader.AtEnd());
    QCOMPARE(reader.ItemCount(), 0);
    QCOMPARE(reader.RemainingItems(), std::size_t(0));
}

void WordReadTest::lineEndsAndRawText()
{
    // CR LF, LF and a lone CR all end a line; a final line end opens none.
    TWordReader reader(WriteFile(dir_, "a\r\nb\nc\rd"));
    for (const char* expected : {"a", "b", "c", "d"})
        QCOMPARE(reader.ReadLine(), std::string(expected));
    QVERIFY(reader.AtEnd());
    QCOMPARE(ErrorOf([&] { reader.ReadLine(); }), QString(IncompleteFileMessage));
}

void WordReadTest::splitItems_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("single blanks") << "1 2 3" << QStringList{"1", "2", "3"};
    QTest::newRow("tabs and runs") << "\t1 \t 2\t\t3  " << QStringList{"1", "2", "3"};
    QTest::newRow("placeholder") << "0.11 0.0  0.0  5 " << QStringList{"0.11", "0.0", "0.0", "5"};
    QTest::newRow("commas are text") << "1,2 3" << QStringList{"1,2", "3"};
    QTest::newRow("control characters") << "\x01 7 \x02" << QStringList{"7"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks only") << "   \t " << QStringList{};
}

void WordReadTest::splitItems()
{
    QFETCH(QString, line);
    QFETCH(QStringList, items);
    QStringList got;
    for (const std::string& item : SplitItems(line.toStdString()))
        got << QString::fromStdString(item);
    QCOMPARE(got, items);
}

void WordReadTest::numbers_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("isReal");
    QTest::addColumn<double>("real");
    QTest::addColumn<bool>("isInteger");
    QTest::newRow("integer") << "42" << true << 42.0 << true;
    QTest::newRow("signed") << "-7" << true << -7.0 << true;
    QTest::newRow("plus") << "+3" << true << 3.0 << true;
    QTest::newRow("whole real") << "5.0" << true << 5.0 << true;
    QTest::newRow("exponent whole") << "1E3" << true << 1000.0 << true;
    QTest::newRow("exponent") << "1E-5" << true << 1e-5 << false;
    QTest::newRow("big exponent") << "1.2345679E8" << true << 1.2345679e8 << true;
    QTest::newRow("fraction") << "3.5" << true << 3.5 << false;
    QTest::newRow("leading point") << ".25" << true << 0.25 << false;
    QTest::newRow("trailing point") << "2." << true << 2.0 << true;
    QTest::newRow("int max") << "2147483647" << true << 2147483647.0 << true;
    QTest::newRow("int min") << "-2147483648" << true << -2147483648.0 << true;
    QTest::newRow("beyond int") << "2147483648" << true << 2147483648.0 << false;
    QTest::newRow("comma decimal") << "3,5" << false << 0.0 << false;
    QTest::newRow("word") << "abc" << false << 0.0 << false;
    QTest::newRow("inf") << "inf" << false << 0.0 << false;
    QTest::newRow("hex") << "0x10" << false << 0.0 << false;
    QTest::newRow("bare sign") << "-" << false << 0.0 << false;
    QTest::newRow("bare exponent") << "1E" << false << 0.0 << false;
    QTest::newRow("trailing text") << "12a" << false << 0.0 << false;
}

void WordReadTest::numbers()
{
    QFETCH(QString, item);
    QFETCH(bool, isReal);
    QFETCH(double, real);
    QFETCH(bool, isInteger);
    const std::string path = WriteFile(dir_, item.toStdString() + " " + item.toStdString() + "\r\n");
    TWordReader reader(path);
    const QString floatError = ErrorOf([&] {
        const long double value = reader.ReadFloat();
        QCOMPARE(static_cast<double>(value), real);
    });
    QCOMPARE(floatError.isEmpty(), isReal);
    const QString integerError = ErrorOf([&] {
        const int value = reader.ReadInteger();
        QCOMPARE(static_cast<double>(value), real);
    });
    QCOMPARE(integerError.isEmpty(), isInteger);
}

void WordReadTest::conversionErrorsNameLineAndItem()
{
    TWordReader reader(WriteFile(dir_, "title\r\n1 2\r\n7 3.5 9\r\n1.0 x\r\n"));
    reader.ReadLine();
    reader.ReadInteger();
    reader.ReadInteger();
    reader.ReadInteger();
    QCOMPARE(ErrorOf([&] { reader.ReadInteger(); }),
             QString("Error on Line 3 Item 2\rAn integer was expected but not found."));
    // The offending item was taken; reading goes on after it.
    QCOMPARE(reader.ReadInteger(), 9);
    QCOMPARE(static_cast<double>(reader.ReadFloat()), 1.0);
    QCOMPARE(ErrorOf([&] { reader.ReadFloat(); }),
             QString("Error on Line 4 Item 2\rA floating point number was expected but not found."));
}

void WordReadTest::endOfFile()
{
    TWordReader reader(WriteFile(dir_, "1 2\r\n"));
    reader.ReadInteger();
    reader.ReadInteger();
    QCOMPARE(ErrorOf([&] { reader.ReadFloat(); }), QString(IncompleteFileMessage));
    QCOMPARE(ErrorOf([&] { reader.ReadInteger(); }), QString(IncompleteFileMessage));
    TWordReader empty(WriteFile(dir_, ""));
    QVERIFY(empty.AtEnd());
    QCOMPARE(ErrorOf([&] { empty.ReadString(); }), QString(IncompleteFileMessage));
}

void WordReadTest::emptyLineWhereValueBelongs()
{
    // After the values of a line, and right after ReadLine.
    TWordReader reader(WriteFile(dir_, "1\r\n\r\n2\r\ntitle\r\n  \r\n3\r\n"));
    QCOMPARE(reader.ReadInteger(), 1);
    QCOMPARE(ErrorOf([&] { reader.ReadInteger(); }),
             QString("Error on Line 2 Item 1\rThis file either invalid or incomplete."));
    reader.ReadLine();
    QCOMPARE(reader.ReadInteger(), 2);
    reader.ReadLine();
    QCOMPARE(reader.ReadLine(), std::string("title"));
    QCOMPARE(ErrorOf([&] { reader.ReadFloat(); }),
             QString("Error on Line 5 Item 1\rThis file either invalid or incomplete."));
}

void WordReadTest::missingFile()
{
    const std::string path = dir_.filePath("absent.tx5d").toStdString();
    const QString error = ErrorOf([&] { TWordReader reader(path); });
    QVERIFY(error.contains("absent.tx5d"));
}

QTEST_APPLESS_MAIN(WordReadTest)
#include "frontend_wordread_test.moc"
