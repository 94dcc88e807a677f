#include "import/MarkerText.h"
#include "qlab/OSCCueDescriber.h"

#include "DecimalCommaLocale.h"

#include <QJsonValue>
#include <QTest>

#include <clocale>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FadeOSCParams)

class TestMarkerText : public QObject
{
    Q_OBJECT

    QTemporaryDir m_localeFolder;

private slots:
    // Durations, rates and scales are written with a point even on a Russian desktop.
    void initTestCase() { useDecimalCommaLocale(m_localeFolder); }
    void cleanupTestCase() { std::setlocale(LC_NUMERIC, "C"); }

    void waitLine_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("line"); // empty: no line
        QTest::newRow("a millisecond is nothing") << 0.001 << "";
        QTest::newRow("rounds up to sixty") << 59.99 << "pre-wait: 60.0s";
    }
    void waitLine()
    {
        QFETCH(double, seconds);
        QFETCH(QString, line);
        QCOMPARE(MarkerText::waitLine(u"pre-wait", seconds).value_or(QString()), line);
    }

    void fadeLines_data()
    {
        QTest::addColumn<FadeOSCParams>("params");
        QTest::addColumn<QStringList>("lines");

        FadeOSCParams unchanged;
        unchanged.rotation = 0;
        unchanged.scaleX = 1.0;
        unchanged.scaleY = 1.0;
        unchanged.translationX = -2.5;
        unchanged.translationY = 3.5;
        QTest::newRow("no rotation or scale line")
            << unchanged << QStringList { u"Fade"_s, u"   translate -3,4"_s };

        FadeOSCParams rate;
        rate.doRate = true;
        rate.rate = 1.25;
        QTest::newRow("rate") << rate << QStringList { u"Fade"_s, u"   rate 1.2"_s };
        FadeOSCParams rateWithout;
        rateWithout.doRate = true;
        QTest::newRow("rate switched on without a value is no effect fade")
            << rateWithout << QStringList { u"Fade"_s };
    }
    void fadeLines()
    {
        QFETCH(FadeOSCParams, params);
        QTEST(MarkerText::fadeLines(params, QString(), std::nullopt), "lines");
    }

    void clockText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("beyond 64 bits") << 1e300 << "";
    }
    void clockText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(OSCCueDescriber::clockText(seconds), text);
    }
};

QTEST_GUILESS_MAIN(TestMarkerText)
#include "tst_markertext.moc"
