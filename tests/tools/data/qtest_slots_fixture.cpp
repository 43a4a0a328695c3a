// Sample test classes for qtest_slots.py --expect: a function the check
// must find is named on an "expect-fault" line; everything else in here
// is what the check must let pass. Never compiled.

#include <QtTest>

class Helper : public QObject
{
    Q_OBJECT
public:
    void neverCalled(); // not a test class: not checked
};

class TestSample : public QObject
{
    Q_OBJECT

public:
    void publicTest(); // expect-fault: publicTest
    void calledHelper();

private slots:
    void init();
    void cleanup();
    void runs();
    void runsWithData_data();
    void runsWithData();
    void inlineRuns() { QVERIFY(true); }

protected slots:
    void protectedSlot(); // expect-fault: protectedSlot

public slots:
    void publicSlot(); // expect-fault: publicSlot

private:
    void makeWindow();
    static void staticHelper();
    int counter() const;
    void withArgument(int n);
    void initTestCase(); // expect-fault: initTestCase
    void runsNot_data(); // expect-fault: runsNot_data
    void inlineHelper() { ++m_n; }
    // Like a test that slipped below the slots: declared, defined, never
    // run.
    void exchangeLogsOnlyWrittenRequests(); // expect-fault: exchangeLogsOnlyWrittenRequests
    void inlineNeverCalled() { QVERIFY(false); } // expect-fault: inlineNeverCalled

    int m_n = 0;
};

void TestSample::init() { makeWindow(); }
void TestSample::cleanup() { inlineHelper(); }
void TestSample::runs() { calledHelper(); staticHelper(); withArgument(counter()); }
void TestSample::runsWithData_data() {}
void TestSample::runsWithData() {}
void TestSample::publicTest() { QVERIFY(false); }
void TestSample::calledHelper() { QObject::connect(this, &QObject::destroyed, this, [] {}); }
void TestSample::protectedSlot() {}
void TestSample::publicSlot() {}
void TestSample::makeWindow() {}
void TestSample::staticHelper() {}
int TestSample::counter() const { return m_n; }
void TestSample::withArgument(int) {}
void TestSample::initTestCase() {}
void TestSample::runsNot_data() {}
void TestSample::exchangeLogsOnlyWrittenRequests()
{
    // "exchangeLogsOnlyWrittenRequests" in a comment or a string is no call.
    qInfo("exchangeLogsOnlyWrittenRequests");
}

struct TestStruct : QObject
{
    Q_OBJECT
    void structTest(); // expect-fault: structTest
private slots:
    void fine();
};

void TestStruct::structTest() {}
void TestStruct::fine() {}

QTEST_MAIN(TestSample)
QTEST_GUILESS_MAIN(TestStruct)
