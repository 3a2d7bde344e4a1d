#pragma once
// Form_setup: the port setup dialog. Twelve option buttons COM1..COM12 (the
// device each one opens as its tooltip); Confirm tests the chosen port and
// starts a fresh identification of the radio on it. Below the ports, a
// read-only list of the serial devices found, each with its COM number and
// name, likely programming cables marked.

#include <QWidget>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

#include "image/radio_document.h"

namespace vx {

class Identification;

class Form_setup final : public QWidget {
    Q_OBJECT
public:
    // Design size and the button row's distance above the bottom, in twips.
    static constexpr int kDesignWidth = 8000;
    static constexpr int kDesignHeight = 5000;
    static constexpr int kButtonRise = 1500;
    // The device list's strip between Frame1 and the buttons, in twips of
    // the design height: the window is this much taller than its design.
    static constexpr int kDevicesHeight = 2200;

    // Confirm restarts `identification` (the main window's by default).
    explicit Form_setup(RadioDocument& doc, QWidget* parent = nullptr);
    Form_setup(RadioDocument& doc, Identification* identification, QWidget* parent = nullptr);

    // The port whose option button is selected (1..12), 0 when none is.
    int selectedPort() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void prepare();
    void layOut();
    void listDevices();
    void confirm();
    bool openChosenPort();
    void closeDialog();

    QGroupBox* frame_ = nullptr;
    QButtonGroup* group_ = nullptr;
    std::array<QRadioButton*, 12> options_{};
    QLabel* devicesLabel_ = nullptr;
    QListWidget* devices_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool prepared_ = false;
    RadioDocument& doc_;
    Identification* identification_ = nullptr;
};

}  // namespace vx
