// SPDX-License-Identifier: MIT
#include "tdictn.h"
#include "wordlists.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo;

class DictionaryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void embeddedListsAreLinkedIn();

private:
    QTemporaryDir m_dir;
};

void DictionaryTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void DictionaryTest::embeddedListsAreLinkedIn() {
    QFile records(QString::fromLatin1(wordFileResource));
    QVERIFY(records.open(QIODevice::ReadOnly));
    QVERIFY(records.size() > 0);
    QCOMPARE(records.size() % TDictn::recordsize, 0);
    QVERIFY(!loadCandidateWords().isEmpty());
}

QTEST_GUILESS_MAIN(DictionaryTest)
#include "tst_dictionary.moc"
