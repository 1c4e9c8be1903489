#pragma once
// Controls shared by the meter, pipe and base-condition dialogs.

#include <QComboBox>
#include <QRadioButton>
#include <algorithm>
#include <cstdint>

#include "app/platform/id_dialog.h"
#include "app/platform/qt_text.h"
#include "record/misc_util.h"

namespace quorven::dialog_detail {

inline const CMiscUtil kMisc;

// The 44 materials in alphabetical order; deg F names for temperature sets 0 and
// 1, deg C names for 2 and 3.
inline QComboBox* AddMaterialCombo(CIdDialog& d, int id, const QString& label, int32_t temp_set,
                                   int32_t position) {
    QStringList items;
    for (int32_t p = 0; p < CMiscUtil::kMaterialCount; ++p)
        items << RecordTextToQString(kMisc.MaterialName(temp_set, kMisc.MaterialFromListPosition(p)));
    QComboBox* combo = d.AddCombo(id, label, items);
    combo->setCurrentIndex(std::clamp(position, 0, CMiscUtil::kMaterialCount - 1));
    return combo;
}

inline int32_t MaterialPositionOf(int32_t material) {
    for (int32_t p = 0; p < CMiscUtil::kMaterialCount; ++p)
        if (kMisc.MaterialFromListPosition(p) == material) return p;
    return 0;
}

inline int32_t MaterialOf(const QComboBox* combo) {
    return kMisc.MaterialFromListPosition(combo->currentIndex());
}

inline void Check(CIdDialog& d, int id) {
    if (auto* radio = d.Control<QRadioButton>(id)) radio->setChecked(true);
}

inline void Enable(CIdDialog& d, int id, bool on) {
    if (auto* w = d.Control<QWidget>(id)) w->setEnabled(on);
}
}  // namespace quorven::dialog_detail
