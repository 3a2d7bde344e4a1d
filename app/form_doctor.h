#pragma once
// Program -> "Connection check…": the connection check of link/doctor.h
// on the port the document uses, each step shown as it ends with its
// verdict and what to do next, the trace saved to a file it names. Closing
// the window ends a running check and closes the port.

#include "image/radio_document.h"
#include "link/doctor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vx {

class Form_doctor final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 10500;  // twips
    static constexpr int kDesignHeight = 6600;

    explicit Form_doctor(RadioDocument& doc, QWidget* parent = nullptr);
    ~Form_doctor() override;

    void start();
    bool running() const;
    // The report as shown, one line a step, then the summary.
    QStringList lines() const;
    QString tracePath() const { return tracePath_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void caption();
    void showSteps(const std::vector<doctor::StepResult>& results);
    void finished();

    RadioDocument& doc_;
    std::unique_ptr<doctor::Check> check_;
    QString tracePath_;
    QLabel* intro_;
    QTreeWidget* steps_;
    QLabel* summary_;
    QLabel* trace_;
    QPushButton* check_button_;
    QPushButton* copy_;
    QPushButton* close_;
};

}  // namespace vx
