#pragma once

#include <QComboBox>

// An editable drop-down list whose entry field, completer and popup are made when the
// list is first shown, or in the first idle moments after the window's first frame,
// whichever comes first. Until then it is a list that only takes a choice, which is all
// a hidden list needs to be; made with the window, these parts cost start-up more than
// all other controls but the text boxes.
class EditableDropDown : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void setVisible(bool visible) override;
    void makeEditable();

    // Once `first` is painted, makes the parts of every such list in its window, one list
    // an idle moment, so that the first use of a list does not wait for them either.
    static void makeEditableAfterPaint(QWidget* first);
};
