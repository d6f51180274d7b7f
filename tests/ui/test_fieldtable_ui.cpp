// The window's fields are the field table's rows: each entry's control, its
// label, its help and its place in the tab chain.
#include "mainwindowtest.h"

#include "model/fieldtable.h"

#include <QCoreApplication>

namespace calidor::test {
namespace {

using FieldTableRows = MainWindowTest;

TEST_F(FieldTableRows, EachEntryIsAFieldWithItsLabelAndHelp) {
    for (const FieldEntry& entry : fieldTable()) {
        SCOPED_TRACE(entry.objectName);
        QLineEdit* edit = field(entry.objectName);
        auto* label = control<QLabel>(entry.labelObjectName);
        ASSERT_TRUE(edit && label);
        EXPECT_EQ(edit->geometry().topLeft(), QPoint(entry.place.left, entry.place.top));
        EXPECT_EQ(edit->width(), entry.place.width);
        EXPECT_EQ(label->pos(), QPoint(entry.place.labelLeft, entry.place.top));
        EXPECT_EQ(label->text(), QCoreApplication::translate("calidor::TForm1", entry.caption));
        EXPECT_EQ(label->buddy(), edit);
        EXPECT_TRUE(edit->toolTip().startsWith(QCoreApplication::translate("calidor::Help", entry.help)));
        EXPECT_EQ(label->autoFillBackground(), entry.place.labelOnPatch);
    }
}

// Acquisition and the window agree on which control is which field.
TEST_F(FieldTableRows, TheWindowReadsAndWritesEachEntrysControl) {
    for (const FieldEntry& entry : fieldTable()) {
        SCOPED_TRACE(entry.objectName);
        form->setFieldText(entry.field, entry.name);
        EXPECT_EQ(field(entry.objectName)->text(), QString::fromLatin1(entry.name));
        EXPECT_EQ(form->fieldText(entry.field), entry.name);
    }
}

TEST_F(FieldTableRows, TabReachesTheFieldsInTheTablesOrder) {
    std::vector<const FieldEntry*> byPosition;
    for (const FieldEntry& entry : fieldTable())
        byPosition.push_back(&entry);
    std::sort(byPosition.begin(), byPosition.end(),
              [](const FieldEntry* a, const FieldEntry* b) { return a->tabPosition < b->tabPosition; });
    QStringList expected;
    for (const FieldEntry* entry : byPosition)
        expected << QString::fromLatin1(entry->objectName);

    QStringList walked;
    QWidget* start = control("Button1");
    ASSERT_TRUE(start);
    QWidget* w = start;
    do {
        if (qobject_cast<QLineEdit*>(w) && expected.contains(w->objectName()) &&
            !walked.contains(w->objectName()))
            walked << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != start);
    EXPECT_EQ(walked, expected);
}

} // namespace
} // namespace calidor::test
