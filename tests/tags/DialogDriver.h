#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// Drives the controls of the link and image dialogs as a user would; controls are found
// by their resource identifiers.
namespace DialogDriver {

template <class T> T* Control(QWidget& dialog, int id) {
    T* control = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

inline void Click(QWidget& dialog, int id) {
    auto* button = Control<QAbstractButton>(dialog, id);
    ASSERT_TRUE(button->isEnabled()) << "button " << id << " is greyed";
    QTest::mouseClick(button, Qt::LeftButton);
}

inline bool IsOn(QWidget& dialog, int id) {
    return Control<QAbstractButton>(dialog, id)->isChecked();
}
inline bool IsEnabled(QWidget& dialog, int id) {
    return Control<QWidget>(dialog, id)->isEnabled();
}

// Replaces a field's text by typing (select all, then the keys).
inline void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}
inline void Type(QComboBox* combo, const QString& text) {
    Type(combo->lineEdit(), text);
}

inline QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace DialogDriver
