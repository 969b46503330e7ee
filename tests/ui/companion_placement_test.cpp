#include <QMessageBox>
#include <QtTest>

#include "companion_placement.h"
#include "modal_script.h"

using veltra::CentredFrameTopLeft;

class CompanionPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void frameCentredOverTheOwnersFrame_data();
    void frameCentredOverTheOwnersFrame();
    void everyDialogOfTheProgramIsCentred();
};

void CompanionPlacementTest::frameCentredOverTheOwnersFrame_data() {
    QTest::addColumn<QRect>("ownerFrame");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QPoint>("frameTopLeft");

    // The main window and the legend under Openbox: a 20-pixel title bar
    // and 1-pixel borders: both frames then share their middle.
    QTest::newRow("a title bar counts") << QRect(282, 250, 716, 523) << QSize(642, 644)
                                        << QMargins(1, 20, 1, 1) << QPoint(318, 179);
    QTest::newRow("without a frame")
        << QRect(282, 250, 716, 523) << QSize(642, 644) << QMargins() << QPoint(319, 190);
    QTest::newRow("odd shortfall truncates toward zero")
        << QRect(400, 300, 605, 405) << QSize(910, 512) << QMargins(2, 2, 2, 2) << QPoint(246, 245);
    QTest::newRow("kept inside the desktop's corner")
        << QRect(20, 30, 600, 400) << QSize(910, 512) << QMargins(2, 2, 2, 2) << QPoint(0, 0);
}

void CompanionPlacementTest::frameCentredOverTheOwnersFrame() {
    QFETCH(QRect, ownerFrame);
    QFETCH(QSize, size);
    QFETCH(QMargins, frame);
    QFETCH(QPoint, frameTopLeft);
    QCOMPARE(CentredFrameTopLeft(ownerFrame, size, frame, QPoint(0, 0)), frameTopLeft);
}

// Qt's own boxes as well as the program's windows: the offscreen platform
// frames every window, 2 pixels a side, as soon as it is shown.
void CompanionPlacementTest::everyDialogOfTheProgramIsCentred() {
    const veltra::CompanionPlacement placement;
    QWidget owner;
    owner.resize(714, 502);
    owner.show();
    owner.move(150, 90);
    QRect boxFrame;
    const auto look = WhenModalAppears([&boxFrame](QWidget* modal) {
        boxFrame = modal->frameGeometry();
        qobject_cast<QDialog*>(modal)->accept();
    });
    QMessageBox::information(&owner, QStringLiteral("Informacja"), QStringLiteral("Gotowe!"));
    QVERIFY(boxFrame.isValid());
    QVERIFY2(qAbs(boxFrame.center().x() - owner.frameGeometry().center().x()) <= 1 &&
                 qAbs(boxFrame.center().y() - owner.frameGeometry().center().y()) <= 1,
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(boxFrame.x())
                            .arg(boxFrame.y())
                            .arg(boxFrame.width())
                            .arg(boxFrame.height())));
}

QTEST_MAIN(CompanionPlacementTest)
#include "companion_placement_test.moc"
