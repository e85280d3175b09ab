#include "about/secret_window.h"

#include <QtTest>

#include "test_app.h"
#include "ui_secret_window.h"

using namespace skyloom;
using namespace skyloom::test;

namespace {

// How much of the window shows the credits' pure yellow (the picture has none).
int yellowPixels(QWidget* w) {
    const QImage shot = w->grab().toImage();
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 255, 0)) ++count;
    return count;
}

}  // namespace

class SecretWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;

    // Ticks are driven by hand so that every step is seen.
    SecretWindow* open() {
        app = std::make_unique<TestApp>();
        auto* w = qobject_cast<SecretWindow*>(app->windows.show("secret"));
        if (w) w->timer().stop();
        return w;
    }

private slots:
    void cleanup() { app.reset(); }

    void load_picturesFillWindowAndTextWaitsBelow() {
        app = std::make_unique<TestApp>();
        auto* w = qobject_cast<SecretWindow*>(app->windows.show("secret"));
        QVERIFY(w->timer().isActive());
        QCOMPARE(w->timer().interval(), 10);
        w->timer().stop();

        auto& ui = w->ui();
        QCOMPARE(w->windowTitle(), QString("The horrible staff"));
        QCOMPARE(w->size(), QSize(342, 208));  // 5130 x 3120 twips
        QCOMPARE(ui.pict->geometry(), QRect(0, 0, 346, 212));
        QCOMPARE(ui.pict->pixmap().size(), QSize(345, 210));

        QCOMPARE(ui.lbl->parentWidget(), static_cast<QWidget*>(ui.pict));
        QCOMPARE(ui.lbl->text(), ui.txt->toPlainText());
        QVERIFY(ui.lbl->text().contains("Skyloom 2.0 credits"));
        QVERIFY(ui.lbl->font().bold());
        QCOMPARE(ui.lbl->font().family(), QString("Arial"));
        QCOMPARE(ui.lbl->font().pointSizeF(), 11.25);
        QCOMPARE(ui.lbl->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        // The label holds the whole text.
        QCOMPARE(ui.lbl->size(), ui.lbl->sizeHint());
        QVERIFY(ui.lbl->height() > w->height());

        // Just below the picture: nothing of the text shows yet.
        QCOMPARE(w->creditsTop(), 3180);
        QCOMPARE(ui.lbl->y(), 212);
        QVERIFY(!ui.lbl->geometry().intersects(w->rect()));
    }

    void ticks_move27TwipsUpDrawnAt15TwipsPerPixel() {
        auto* w = open();
        auto& ui = w->ui();
        w->Timer1_Timer();
        QCOMPARE(w->creditsTop(), 3153);
        QCOMPARE(ui.lbl->y(), 210);
        w->Timer1_Timer();
        w->Timer1_Timer();
        QCOMPARE(w->creditsTop(), 3099);
        QCOMPARE(ui.lbl->y(), 206);
        QVERIFY(ui.lbl->geometry().intersects(w->rect()));
    }

    void credits_showOnceInViewAndRedrawWhenTheTextChanges() {
        auto* w = open();
        QCOMPARE(yellowPixels(w), 0);
        for (int i = 0; i < 30; ++i) w->Timer1_Timer();  // the first lines are in view
        QVERIFY(yellowPixels(w) > 100);

        // A new text looks exactly as in a window that never showed the old one.
        const QString text = "MISC\r\nGeneric : Loomhound";
        w->ui().txt->setPlainText(text);
        QTest::mouseClick(w->ui().Command1, Qt::LeftButton);
        SecretWindow fresh(app->context);
        fresh.timer().stop();
        fresh.ui().txt->setPlainText(text);
        QTest::mouseClick(fresh.ui().Command1, Qt::LeftButton);
        for (int i = 0; i < 30; ++i) fresh.Timer1_Timer();
        QVERIFY(yellowPixels(w) > 100);
        QCOMPARE(w->grab().toImage(), fresh.grab().toImage());
    }

    void offscreenControls_lieOutsideTheClientArea() {
        auto* w = open();
        auto& ui = w->ui();
        QCOMPARE(ui.Text1->text(), QString(19, '_'));
        QCOMPARE(ui.Command1->text(), QString("Command1"));
        for (QWidget* c : std::initializer_list<QWidget*>{ui.txt, ui.Text1, ui.Command1})
            QVERIFY2(!c->geometry().intersects(w->rect()), qPrintable(c->objectName()));
    }

    void command1_copiesTextAndRestartsTimerKeepingPosition() {
        auto* w = open();
        auto& ui = w->ui();
        for (int i = 0; i < 4; ++i) w->Timer1_Timer();
        const int top = w->creditsTop();
        const int y = ui.lbl->y();
        ui.txt->setPlainText("one\ntwo");

        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QCOMPARE(ui.lbl->text(), QString("one\ntwo"));
        QCOMPARE(ui.lbl->size(), ui.lbl->sizeHint());  // the label shrinks to the new text
        QCOMPARE(ui.Text1->text(), QString("one\ntwo"));
        QVERIFY(w->timer().isActive());
        QCOMPARE(w->creditsTop(), top);
        QCOMPARE(ui.lbl->y(), y);
    }
};

QTEST_MAIN(SecretWindowTest)
#include "secret_window_test.moc"
