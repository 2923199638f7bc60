#pragma once
// The page "Addresses": eight receiving addresses with their functions, and the
// targets of urgent calls. Rows are indexed from 0: address[0] is "address1",
// format[7][3] is "format8D", urgentTarget[0][0] is "urgent1A".

#include <array>
#include <cstdint>

#include "editor/editor_panel.h"
#include "image/config_image.h"

class QGroupBox;
class QLabel;

namespace q9tx {

class AddressesPage : public EditorPanel {
    Q_OBJECT
public:
    static constexpr int kAddressCount = kSlotCount;
    static constexpr int kFunctionCount = kSubAddressCount;  // A to D
    static constexpr int kStorageChoiceCount = kSlotsWithStorage;

    explicit AddressesPage(EditorShell& shell);

    void AddrEnClick(int n);
    void StorageChange(int n);
    // Leaving a storage choice runs the folder-group rule, which the editor holds.
    void StorageExit();
    void AddressChange(int n);
    void AddressExit(int n);
    // The exit fill of a capcode: leading zeros up to the typing limit.
    void FixedNumberExit(QLineEdit* field);

    // Whether the field holds a capcode the pager accepts; throws q9tx::ConversionError
    // for a text that is not a whole number.
    bool IsLegalCapcode(const QLineEdit* field) const;

    // Counts the addresses up after a completed write and tests each one it moved.
    void AdvanceAddresses();
    // The storage choices of rows 1 to 4, positions in the storage items.
    std::array<std::int64_t, kStorageChoiceCount> StorageChoices() const;
    // What rows 5 to 8, which have no storage choice, show as their storage.
    void ShowFixedStorage(const QString& text);

    QGroupBox* addresses = nullptr;
    std::array<QCheckBox*, kAddressCount> addrEn{};
    std::array<QLineEdit*, kAddressCount> address{};
    std::array<QLabel*, kAddressCount> frame{};
    std::array<QComboBox*, kAddressCount> autoInc{};
    std::array<QComboBox*, kStorageChoiceCount> storage{};    // "storage1" to "storage4"
    std::array<QLabel*, kStorageChoiceCount> storageLabel{};  // "storage5" to "storage8"
    std::array<std::array<QComboBox*, kFunctionCount>, kAddressCount> format{};
    QGroupBox* urgent = nullptr;
    std::array<std::array<QCheckBox*, kFunctionCount>, kAddressCount> urgentTarget{};  // "urgent1A".."urgent8D"

signals:
    void storageLeft();

private:
    void WireRules();
};

}  // namespace q9tx
