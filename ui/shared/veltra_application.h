#pragma once

#include <QApplication>

namespace veltra {

// The program's application object. Every event passes its notify, so it
// is the safety net that keeps exceptions from crossing Qt's event loop: a
// failure that leaves any event handler ends in the error report.
class VeltraApplication : public QApplication {
public:
    VeltraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace veltra
