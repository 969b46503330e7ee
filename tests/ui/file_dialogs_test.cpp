#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "file_dialogs.h"
#include "modal_script.h"

namespace {

// Makes the delegate's protected initStyleOption callable on any delegate.
struct Peek : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

}  // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void qtsOwnDialogInPolishAtARememberedSize();

private:
    QTemporaryDir dir_;
};

void FileDialogsTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("settings"));
    qputenv("XDG_CONFIG_HOME", dir_.filePath("settings").toUtf8());
    QFile log(dir_.filePath(QStringLiteral("maly.hst")));
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write(QByteArray(438, 'x'));
}

// The C locale of a bare session would write "438 bytes" and an English date.
void FileDialogsTest::qtsOwnDialogInPolishAtARememberedSize() {
    QLocale::setDefault(QLocale::c());
    QSize opened;
    QString sizeText;
    bool native = true;
    const auto answer = [&](QSize resizeTo) {
        return WhenModalAppears([&, resizeTo](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            opened = dialog->size();
            native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
            auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QTRY_VERIFY(list->model()->rowCount(list->rootIndex()) > 0);
            // The text the list draws in the size cell of the one file.
            const QModelIndex size = list->model()->index(0, 1, list->rootIndex());
            auto* delegate = qobject_cast<QStyledItemDelegate*>(list->itemDelegateForIndex(size));
            QStyleOptionViewItem shown;
            shown.initFrom(list);
            (delegate->*&Peek::initStyleOption)(&shown, size);
            sizeText = shown.text;
            dialog->resize(resizeTo);
            dialog->reject();
        });
    };
    {
        QFileDialog dialog(nullptr, QString(), dir_.path());
        const auto look = answer(QSize(900, 600));
        veltra::ExecFileDialog(dialog);
    }
    QVERIFY(!native);
    QCOMPARE(opened, QSize(820, 480));
    QCOMPARE(sizeText, QStringLiteral("438 bajty"));
    {
        QFileDialog dialog(nullptr, QString(), dir_.path());
        const auto look = answer(QSize(700, 500));
        veltra::ExecFileDialog(dialog);
    }
    QCOMPARE(opened, QSize(900, 600));
}

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
