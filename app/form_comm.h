#pragma once
// The whole-radio dialogs: Form_Comm_Read fetches the radio's main memory
// into image rows 0..787, Form_Comm_Write sends image rows 0..783.

#include "link/transfer_window.h"

namespace vx {

class FormComm : public TransferWindow {
    Q_OBJECT
public:
    // Design size and the button row's distance above the bottom, in twips.
    static constexpr int kDesignWidth = 6200;
    static constexpr int kDesignHeight = 3000;
    static constexpr int kButtonRise = 1500;

protected:
    FormComm(WindowDescriptor descriptor, RadioDocument& doc, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    void placeInMainWindow();
    bool placed_ = false;
};

class Form_Comm_Read final : public FormComm {
    Q_OBJECT
public:
    explicit Form_Comm_Read(RadioDocument& doc, QWidget* parent = nullptr);

private:
    std::optional<TransferPlan> plan(Direction direction) override;
};

class Form_Comm_Write final : public FormComm {
    Q_OBJECT
public:
    explicit Form_Comm_Write(RadioDocument& doc, QWidget* parent = nullptr);

private:
    std::optional<TransferPlan> plan(Direction direction) override;
};

}  // namespace vx
