#pragma once

// The live control panel that a show brings up to change box sizes, border
// and delays. Here it is the window itself; its controls come later.

#include <QWidget>

#include <functional>

class TAlignCntrlBox : public QWidget {
    Q_OBJECT
public:
    explicit TAlignCntrlBox(QWidget* parent = nullptr);

    // Runs each time the panel becomes visible: the show stops while it is up.
    std::function<void()> onShown;

protected:
    void showEvent(QShowEvent* event) override;
};
