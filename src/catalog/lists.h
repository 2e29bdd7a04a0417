#pragma once

#include "core/pos.h"

class QComboBox;

namespace catalog {

// The category, card type and state lists and their editor panel.
class Lists {
public:
    explicit Lists(core::Pos& pos) : pos(pos) {}

    void doPopComboBoxes();
    void Category1Click();
    void cbxTypeDblClick();
    void btnCloseCategoryClick();
    // Fills both card type lists from creditcards.pos; false (lists unchanged) without it.
    bool reloadCardTypes();

private:
    core::Pos& pos;
};

inline const char* const kCategoryFile = "category.pos";
inline const char* const kCardTypeFile = "creditcards.pos";
inline const char* const kStateFile = "states.pos";

// Empties a drop-down's list and text, adds the entries and shows the first (or nothing).
void fillDropDown(QComboBox* box, const QStringList& entries);

// Phone form: 7 characters become 123-4567, 10 become (123)456-7890; others stay.
QString phoneForm(const QString& text);

} // namespace catalog
