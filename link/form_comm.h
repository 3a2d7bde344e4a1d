#pragma once
// The whole-radio dialogs: Form_Comm_Read fetches the radio's main memory
// into image rows 0..787, Form_Comm_Write sends image rows 0..783. Each owns
// its serial port and three timers and runs the transfer engine on them.

#include "image/language.h"
#include "link/engine.h"

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vx {

class FormComm : public QWidget {
    Q_OBJECT
public:
    // Design size and the button row's distance above the bottom, in twips.
    static constexpr int kDesignWidth = 6200;
    static constexpr int kDesignHeight = 3000;
    static constexpr int kButtonRise = 1500;

    ~FormComm() override;
    const TransferEngine& engine() const { return *engine_; }

protected:
    struct Kind {
        const char* name;
        Text caption;
        const char* startName;
        Text startCaption;
        Text progressBefore;
        Text progressAfter;
        int progressTotal;  // the bar shows N / total x 100
    };
    FormComm(const Kind& kind, QWidget* parent);

    // Starts the transfer; false when the port did not open.
    virtual bool begin(TransferEngine& engine) = 0;
    virtual void finished() = 0;
    virtual void failed() = 0;

    void showDone(const Text& message, const Text& label);
    void showFailed(bool hideBar);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void start();
    void cancel();
    void progress(int n);
    void caption();
    void placeInMainWindow();
    void layOut();

    const Kind kind_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<Timer> sender_;
    std::unique_ptr<Timer> timeout_;
    std::unique_ptr<Timer> retry_;
    std::unique_ptr<TransferEngine> engine_;  // after the port and timers it runs on

    QProgressBar* bar_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* help_ = nullptr;
    bool placed_ = false;
};

class Form_Comm_Read final : public FormComm {
    Q_OBJECT
public:
    explicit Form_Comm_Read(QWidget* parent = nullptr);

private:
    bool begin(TransferEngine& engine) override;
    void finished() override;
    void failed() override;
};

class Form_Comm_Write final : public FormComm {
    Q_OBJECT
public:
    explicit Form_Comm_Write(QWidget* parent = nullptr);

private:
    bool begin(TransferEngine& engine) override;
    void finished() override;
    void failed() override;
};

}  // namespace vx
