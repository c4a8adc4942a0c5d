#include <QtTest>

#include "Session.h"

namespace {

constexpr int kDefaultSteps = 1500;

// Fixed seeds make every run of the test the same; XSCATTER_SESSION_SEED replays one seed
// and XSCATTER_SESSION_STEPS changes the length.
QList<qulonglong> Seeds() {
  bool given = false;
  const qulonglong seed = qEnvironmentVariable("XSCATTER_SESSION_SEED").toULongLong(&given);
  if (given) return {seed};
  return {20240611, 7, 314159};
}

int Steps() {
  bool given = false;
  const int steps = qEnvironmentVariableIntValue("XSCATTER_SESSION_STEPS", &given);
  return given ? steps : kDefaultSteps;
}

// The offscreen platform cannot raise windows and says so on every show; thousands of these
// lines would bury a failure report.
QtMessageHandler defaultHandler = nullptr;
void DropRaiseNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (defaultHandler && !text.contains("does not support raise()"))
    defaultHandler(type, context, text);
}

QString Report(qulonglong seed, int step, const QStringList& problems, const Session& session) {
  return QString("seed %1, step %2: %3\nlast actions:\n%4")
      .arg(seed)
      .arg(step)
      .arg(problems.join("; "), session.lastActions().join("\n"));
}

}  // namespace

// Thousands of random user actions across all windows, with the windows on screen, the
// read-outs and every material file checked after each one.
class RandomSessionTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { defaultHandler = qInstallMessageHandler(DropRaiseNotices); }

  void session_data() {
    QTest::addColumn<qulonglong>("seed");
    for (qulonglong seed : Seeds()) QTest::newRow(qPrintable(QString::number(seed))) << seed;
  }

  void session() {
    QFETCH(qulonglong, seed);
    const int steps = Steps();
    qInfo("seed %llu, %d steps; replay with XSCATTER_SESSION_SEED=%llu XSCATTER_SESSION_STEPS=%d",
          seed, steps, seed, steps);
    Session session(seed);
    for (int step = 1; step <= steps; ++step) {
      const QStringList problems = session.step();
      if (!problems.isEmpty()) QFAIL(qPrintable(Report(seed, step, problems, session)));
    }
    const QStringList problems = session.finish();
    if (!problems.isEmpty()) QFAIL(qPrintable(Report(seed, steps + 1, problems, session)));
    qInfo("%s", qPrintable(session.statistics()));
  }
};

QTEST_MAIN(RandomSessionTest)
#include "RandomSessionTest.moc"
