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
    // Keeps `rows` of the image as the radio's newest restore point, with
    // the rows that differ from its point before; a store that cannot be
    // written is reported once a document and never stops a transfer.
    void keepRestorePoint(bool read, region::Rows rows);

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
    void afterRead() override;
};

class Form_Comm_Write final : public FormComm {
    Q_OBJECT
public:
    explicit Form_Comm_Write(RadioDocument& doc, QWidget* parent = nullptr);

private:
    std::optional<TransferPlan> plan(Direction direction) override;
    void afterWrite() override;
};

}  // namespace vx
