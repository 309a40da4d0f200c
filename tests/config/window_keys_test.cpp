// Moving around the configuration window with the keyboard: the tab key walks each page in
// reading order, one group at a time, and Ctrl+Tab steps the pages from anywhere in the window.

#include <QComboBox>
#include <QGroupBox>
#include <QTabWidget>
#include <QtTest/QTest>
#include <map>
#include <memory>
#include <vector>

#include "config_support.h"

namespace {

class WindowKeys : public ConfigTest {
protected:
    void SetUp() override {
        RecordSet r = SampleRecords();
        WriteSettings(r);
        ctrl = std::make_unique<TRZN_Config>();
        ctrl->awakeFromNib();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ctrl->window()));
        tabs = Control<QTabWidget>(*ctrl, "prconTabs");
    }
    std::unique_ptr<TRZN_Config> ctrl;
    QTabWidget* tabs = nullptr;
};

// The group a control reads in: its group box, or the page itself.
const QWidget* GroupOf(const QWidget* w, const QWidget* page) {
    for (const QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (qobject_cast<const QGroupBox*>(p)) return p;
    return page;
}

QRect Box(const QWidget* w, const QWidget* window) {
    return {w->mapTo(window, QPoint(0, 0)), w->size()};
}

// b reads after a: on a later row, further right on the same row, or at the top of a column
// right of everything read so far in the group (a group laid out in two columns).
bool ReadsAfter(const QRect& a, const QRect& b, int groupRight) {
    if (b.center().y() > a.bottom()) return true;
    if (std::abs(b.center().y() - a.center().y()) <= a.height() / 2 && b.left() > a.left())
        return true;
    return b.left() >= groupRight;
}

TEST_F(WindowKeys, TabWalksEachPageInReadingOrder) {
    QWidget* window = ctrl->window();
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        const QWidget* current = tabs->currentWidget();
        std::vector<const QWidget*> chain;
        QWidget* w = window;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
                current->isAncestorOf(w))
                chain.push_back(w);
            w = w->nextInFocusChain();
        } while (w != window);
        ASSERT_FALSE(chain.empty()) << page;

        std::map<const QWidget*, size_t> lastSeen;
        int groupRight = 0;
        for (size_t i = 0; i < chain.size(); ++i) {
            const QWidget* group = GroupOf(chain[i], current);
            const QRect box = Box(chain[i], window);
            if (i > 0 && GroupOf(chain[i - 1], current) == group) {
                EXPECT_TRUE(ReadsAfter(Box(chain[i - 1], window), box, groupRight))
                    << qPrintable(chain[i - 1]->objectName()) << " then "
                    << qPrintable(chain[i]->objectName());
            } else if (lastSeen.count(group)) {
                ADD_FAILURE() << "the tab key comes back to a group it left at "
                              << qPrintable(chain[i]->objectName());
            }
            if (i == 0 || GroupOf(chain[i - 1], current) != group) groupRight = 0;
            groupRight = std::max(groupRight, box.right());
            lastSeen[group] = i;
        }
    }
}

TEST_F(WindowKeys, CtrlTabStepsThePagesFromThePresetPopUp) {
    QWidget* window = ctrl->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QComboBox* preset = Control<QComboBox>(*ctrl, "prconMenuPreset");
    preset->setFocus();
    tabs->setCurrentIndex(0);

    QTest::keyClick(preset, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(preset, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    QTest::keyClick(preset, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(preset, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    QTest::keyClick(preset, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), tabs->count() - 1);
    // The preset stays as it was: the keys never reach the pop-up.
    EXPECT_EQ(preset->currentIndex(), 0);
}

}  // namespace
