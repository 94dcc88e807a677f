#include "import/CueTypeScanResult.h"
#include "import/MarkerPass.h"
#include "import/MarkerText.h"
#include "qlab/OSCCueDescriber.h"

#include "DecimalCommaLocale.h"

#include <QJsonValue>
#include <QTest>

#include <clocale>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<QJsonValue>)
Q_DECLARE_METATYPE(FadeOSCParams)
Q_DECLARE_METATYPE(CueTypeScanResult)

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
        QTest::newRow("zero") << 0.0 << "";
        QTest::newRow("a millisecond is nothing") << 0.001 << "";
        QTest::newRow("just above") << 0.0015 << "pre-wait: 0.0s";
        QTest::newRow("fraction") << 2.5 << "pre-wait: 2.5s";
        QTest::newRow("whole") << 5.0 << "pre-wait: 5s";
        QTest::newRow("rounds up to sixty") << 59.99 << "pre-wait: 60.0s";
        QTest::newRow("minutes and seconds") << 90.0 << "pre-wait: 1m 30s";
        // Whole minutes are not milliseconds: no unit after the "m".
        QTest::newRow("whole minutes") << 120.0 << "pre-wait: 2m";
        QTest::newRow("half a second over a minute") << 60.5 << "pre-wait: 1m";
        QTest::newRow("not finite") << qInf() << "";
        QTest::newRow("negative") << -3.0 << "";
    }
    void waitLine()
    {
        QFETCH(double, seconds);
        QFETCH(QString, line);
        QCOMPARE(MarkerText::waitLine(u"pre-wait", seconds).value_or(QString()), line);
    }

    void opacityPercent_data()
    {
        QTest::addColumn<double>("opacity");
        QTest::addColumn<qint64>("percent");
        QTest::newRow("0.29 is not 28") << 0.29 << qint64(29);
        QTest::newRow("0.57 is not 56") << 0.57 << qint64(57);
        QTest::newRow("0.999 is still truncated") << 0.999 << qint64(99);
        QTest::newRow("full") << 1.0 << qint64(100);
        QTest::newRow("negative") << -0.29 << qint64(-29);
    }
    void opacityPercent()
    {
        QFETCH(double, opacity);
        QFETCH(qint64, percent);
        QCOMPARE(MarkerText::opacityPercent(opacity), percent);
    }

    void fadeLines_data()
    {
        QTest::addColumn<FadeOSCParams>("params");
        QTest::addColumn<QString>("target");
        QTest::addColumn<double>("duration"); // NaN: no answer
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("nothing changed is an effect fade")
            << FadeOSCParams() << "" << qQNaN() << QStringList { u"Fade"_s, u"   Audio FX"_s };
        FadeOSCParams stop;
        stop.stopTargetWhenDone = true;
        QTest::newRow("duration and stop")
            << stop << "Intro" << 2.5
            << QStringList { u"Fade \u2192 Intro"_s, u"   Audio FX"_s, u"   3s"_s,
                   u"   stop when done"_s };
        QTest::newRow("no duration line for zero")
            << stop << "" << 0.0
            << QStringList { u"Fade"_s, u"   Audio FX"_s, u"   stop when done"_s };

        FadeOSCParams levels;
        levels.hasActiveLevel = true;
        levels.activeLevels
            = { { 0, 0, -6.4 }, { 0, 1, 0 }, { 0, 2, 0.4 }, { 1, 0, -10 }, { 2, 3, -20.5 } };
        QTest::newRow("levels") << levels << "5" << qQNaN()
                                << QStringList { u"Fade \u2192 5"_s, u"   master -6"_s,
                                       u"   <1-2> 0"_s, u"   in <1> -10"_s,
                                       u"   in <2> \u2192 out <3> -21"_s };

        FadeOSCParams visual;
        visual.opacity = 0.29;
        visual.rotation = 0.4;
        visual.scaleX = 1.0;
        visual.scaleY = 2.0;
        visual.translationX = 0;
        visual.translationY = 0;
        QTest::newRow("visual parameters") << visual << "" << qQNaN()
                                           << QStringList { u"Fade"_s, u"   opacity 29%"_s,
                                                  u"   rotation 0\u00B0"_s, u"   scale 1.0x2.0"_s };

        FadeOSCParams unchanged;
        unchanged.rotation = 0;
        unchanged.scaleX = 1.0;
        unchanged.scaleY = 1.0;
        unchanged.translationX = -2.5;
        unchanged.translationY = 3.5;
        QTest::newRow("no rotation or scale line")
            << unchanged << "" << qQNaN() << QStringList { u"Fade"_s, u"   translate -3,4"_s };

        FadeOSCParams rate;
        rate.doRate = true;
        rate.rate = 1.25;
        QTest::newRow("rate") << rate << "" << qQNaN()
                              << QStringList { u"Fade"_s, u"   rate 1.2"_s };
        FadeOSCParams rateWithout;
        rateWithout.doRate = true;
        QTest::newRow("rate switched on without a value is no effect fade")
            << rateWithout << "" << qQNaN() << QStringList { u"Fade"_s };
    }
    void fadeLines()
    {
        QFETCH(FadeOSCParams, params);
        QFETCH(QString, target);
        QFETCH(double, duration);
        QFETCH(QStringList, lines);
        const std::optional<double> answer
            = std::isnan(duration) ? std::nullopt : std::optional(duration);
        QCOMPARE(MarkerText::fadeLines(params, target, answer), lines);
    }

    void midiKind_data()
    {
        QTest::addColumn<std::optional<QJsonValue>>("messageType");
        QTest::addColumn<std::optional<QJsonValue>>("status");
        QTest::addColumn<bool>("voice");
        QTest::addColumn<QString>("kind");
        const auto number = [](double n) { return std::optional(QJsonValue(n)); };
        const std::optional<QJsonValue> none;
        const QStringList voiceKinds { u"Note Off"_s, u"Note On"_s, u"Key Pressure"_s,
            u"Control Change"_s, u"Program Change"_s, u"Channel Pressure"_s, u"Pitch Bend"_s };
        for (int status = 0; status < voiceKinds.size(); ++status)
            QTest::addRow("voice, status %d", status)
                << number(1) << number(status) << true << voiceKinds.at(status);
        QTest::newRow("voice, unknown status") << number(1) << number(9) << true << "cmd 9";
        QTest::newRow("voice, no status") << number(1) << none << true << "";
        QTest::newRow("MSC") << number(2) << none << false << "MSC";
        QTest::newRow("SysEx") << number(3) << none << false << "SysEx";
        QTest::newRow("other type") << number(9) << none << false << "cmd 9";
        QTest::newRow("text as it is")
            << std::optional(QJsonValue(u"Note On"_s)) << none << false << "Note On";
        QTest::newRow("fraction") << number(1.5) << none << false << "";
        QTest::newRow("no answer") << none << none << false << "";
    }
    void midiKind()
    {
        QFETCH(std::optional<QJsonValue>, messageType);
        QFETCH(std::optional<QJsonValue>, status);
        QFETCH(bool, voice);
        QFETCH(QString, kind);
        QCOMPARE(OSCCueDescriber::isVoiceMessage(messageType), voice);
        QCOMPARE(OSCCueDescriber::midiKind(messageType, status), kind);
    }

    void clockText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a minute") << 59.9 << "0:59";
        QTest::newRow("hours") << 3725.5 << "1:02:05";
        QTest::newRow("zero") << 0.0 << "";
        QTest::newRow("negative") << -5.0 << "";
        QTest::newRow("beyond 64 bits") << 1e300 << "";
    }
    void clockText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(OSCCueDescriber::clockText(seconds), text);
    }

    void scan_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<CueTypeScanResult>("counts");
        QTest::addColumn<double>("estimate");
        QTest::newRow("mixed") << QStringList { u"Audio"_s, u"Audio"_s, u"Fade"_s,
            u"Group (Timeline)"_s, u"Memo"_s }
                               << CueTypeScanResult { 5, 2, 0, 1, 1, 0, 1 } << 2.0;
        QTest::newRow("case counts") << QStringList { u"audio"_s, u"MIDI"_s, u" Video"_s }
                                     << CueTypeScanResult { 3, 0, 1, 0, 0, 1, 1 } << 2.0;
        QStringList fadesAndGroups = QStringList(50, u"Fade"_s) + QStringList(50, u"Group"_s);
        QTest::newRow("fades and groups")
            << fadesAndGroups << CueTypeScanResult { 100, 0, 0, 50, 50, 0, 0 } << 19.5;
        QTest::newRow("no cues") << QStringList() << CueTypeScanResult() << 2.0;
    }
    void scan()
    {
        QFETCH(QStringList, types);
        QFETCH(CueTypeScanResult, counts);
        QFETCH(double, estimate);
        QList<OSCCueData> cues;
        for (const QString &type : types)
            cues << OSCCueData { type, {}, {}, {}, {}, {}, {}, 0, 0 };
        const CueTypeScanResult result = CueTypeScanResult::scan(cues);
        QCOMPARE(result, counts);
        QCOMPARE(result.estimatedSeconds(), estimate);
    }

    void indent_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("indent");
        QTest::newRow("none") << u"Audio"_s << u""_s;
        QTest::newRow("member") << u"  __WAIT__|A"_s << u"  "_s;
        QTest::newRow("tab ends it") << u"  \t__WAIT__|A"_s << u"  "_s;
        QTest::newRow("blanks only") << u"     "_s << u"     "_s;
    }
    void indent()
    {
        QFETCH(QString, line);
        QFETCH(QString, indent);
        QCOMPARE(MarkerPass::indentOf(line), indent);
    }
};


QTEST_GUILESS_MAIN(TestMarkerText)
#include "tst_markertext.moc"
