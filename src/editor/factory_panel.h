#pragma once
// The factory panel: factory settings that the transfers and the image conversion
// read and set. The window keeps it hidden.

#include "editor/editor_panel.h"

class QLabel;

namespace q9tx {

class FactoryPanel : public EditorPanel {
    Q_OBJECT
public:
    explicit FactoryPanel(EditorShell& shell);

    void BS1Exit();
    void BS3Exit();

    QComboBox* customerId = nullptr;
    QComboBox* mapVersion = nullptr;
    QComboBox* lcdGain = nullptr;
    QComboBox* overheat = nullptr;
    QLabel* date = nullptr;
    QLineEdit* comment = nullptr;
    QLineEdit* bs1 = nullptr;
    QLineEdit* bs3 = nullptr;
    QComboBox* filterStrength = nullptr;
    QComboBox* preambleError = nullptr;
    QCheckBox* bs2Option = nullptr;

private:
    void WireRules();
};

}  // namespace q9tx
