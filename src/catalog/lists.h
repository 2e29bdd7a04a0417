#pragma once

#include "core/pos.h"

namespace catalog {

// The category, card type and state lists and their editor panel.
class Lists {
public:
    explicit Lists(core::Pos& pos) : pos(pos) {}

    void doPopComboBoxes();
    void Category1Click();
    void cbxTypeDblClick();
    void btnCloseCategoryClick();

private:
    core::Pos& pos;
};

inline const char* const kCategoryFile = "category.pos";
inline const char* const kCardTypeFile = "creditcards.pos";
inline const char* const kStateFile = "states.pos";

// Phone form: 7 characters become 123-4567, 10 become (123)456-7890; others stay.
QString phoneForm(const QString& text);

} // namespace catalog
