#include "model/DecimalText.h"

#include "DecimalCommaLocale.h"

#include <QTest>

#include <clocale>
#include <limits>

using namespace Qt::StringLiterals;

class TestDecimalText : public QObject
{
    Q_OBJECT

    QTemporaryDir m_localeFolder;

private slots:
    // A Russian desktop's locale must not turn the point into a comma.
    void initTestCase()
    {
        if (!useDecimalCommaLocale(m_localeFolder))
            QSKIP("no locale with a decimal comma can be made here");
    }
    void cleanupTestCase() { std::setlocale(LC_NUMERIC, "C"); }

    void writesAsTheCLocale_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("one decimal") << 1.5 << 1 << u"1.5"_s;
        QTest::newRow("half below, as the binary value lies") << 0.25 << 1 << u"0.2"_s;
        QTest::newRow("whole half to even") << 2.5 << 0 << u"2"_s;
        QTest::newRow("negative") << -0.04 << 1 << u"-0.0"_s;
        QTest::newRow("largest double keeps every digit")
            << std::numeric_limits<double>::max() << 0
            << QString::number(std::numeric_limits<double>::max(), 'f', 0);
    }
    void writesAsTheCLocale()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(fixedDecimal(value, decimals), text);
    }
};

QTEST_GUILESS_MAIN(TestDecimalText)
#include "tst_decimaltext.moc"
