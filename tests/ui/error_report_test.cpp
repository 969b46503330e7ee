#include <QMessageBox>
#include <QtTest>
#include <stdexcept>

#include "error_report.h"
#include "file_access.h"
#include "veltra_application.h"

namespace {

// An object whose event handler fails the way a handler of a window can.
class FailingReceiver : public QObject {
public:
    explicit FailingReceiver(std::string message) : message_(std::move(message)) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            throw std::runtime_error(message_);
        }
        return QObject::event(event);
    }

private:
    std::string message_;
};

}  // namespace

class ErrorReportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        reported_.clear();
        veltra::SetErrorReportPresenter([this](const QString& text) { reported_ << text; });
    }
    void cleanup() { veltra::SetErrorReportPresenter({}); }

    void failureLeavingAnEventHandlerIsReportedOnce() {
        FailingReceiver receiver("Cannot open file \"/tmp/x.hst\". No such file or directory");
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &event);
        QCOMPARE(reported_,
                 QStringList{"Cannot open file \"/tmp/x.hst\". No such file or directory."});

        // The program carries on: the next event is delivered as usual.
        QEvent next(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &next);
        QCOMPARE(reported_.size(), 2);
    }

    void handlerFailureKeepsItsOwnEnding() {
        veltra::RunHandler([] { throw veltra::CannotCreateFile("/tmp/a.csv", "Disk full"); });
        veltra::RunHandler([] { throw std::runtime_error("List index out of bounds (2)"); });
        veltra::RunHandler([] { throw std::runtime_error("Done."); });
        veltra::RunHandler([] {});
        QCOMPARE(reported_, (QStringList{"Cannot create file \"/tmp/a.csv\". Disk full.",
                                         "List index out of bounds (2)", "Done."}));
    }

    void messageBoxIsTitledWithTheApplication() {
        veltra::SetErrorReportPresenter({});
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = box->windowTitle() + QLatin1Char('|') + box->text();
            QCOMPARE(box->icon(), QMessageBox::Critical);
            // A path is never taken for markup.
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->accept();
        });
        veltra::ShowErrorReport("Cannot open file \"/<b>a</b>\". Permission denied");
        QCOMPARE(seen, QStringLiteral("Veltra|Cannot open file \"/<b>a</b>\". Permission denied."));
    }

private:
    QStringList reported_;
};

int main(int argc, char** argv) {
    veltra::VeltraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    ErrorReportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "error_report_test.moc"
