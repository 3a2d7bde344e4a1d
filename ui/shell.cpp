#include "ui/shell.h"

#include "ui/geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QVariant>

#include <algorithm>
#include <map>
#include <vector>

namespace vx::shell {

namespace {

// Dynamic properties a window carries for its placement, so a window may
// call placeChild() in its constructor, before it sits in the MDI area.
constexpr const char* kDesignW = "vxDesignW";
constexpr const char* kDesignH = "vxDesignH";
constexpr const char* kRaise = "vxRaiseTwips";

struct Host {
    QPointer<QWidget> main;
    QPointer<QMdiArea> area;
};

struct OpenEntry {
    QString name;
    QObject* key = nullptr;  // the window, for lookups after it is gone
    QPointer<QWidget> widget;
    // The MDI frame, held as a plain object: it may be part-way through its
    // destruction when the window inside it goes.
    QPointer<QObject> frame;
    QMdiSubWindow* sub() const { return qobject_cast<QMdiSubWindow*>(frame.data()); }
};

Host gHost;
QSize gScreenOverride;

std::map<QString, WindowFactory>& factories()
{
    static std::map<QString, WindowFactory> map;
    return map;
}

std::vector<OpenEntry>& openList()
{
    static std::vector<OpenEntry> list;
    return list;
}

OpenEntry* entryOf(const QObject* key)
{
    for (auto& e : openList())
        if (e.key == key)
            return &e;
    return nullptr;
}

OpenEntry* entryNamed(const QString& name)
{
    for (auto& e : openList())
        if (e.name == name && e.widget)
            return &e;
    return nullptr;
}

// A window is closed once it is gone or hidden, except while its frame is
// minimised or shaded (the frame hides it then).
bool isClosed(const OpenEntry& e)
{
    if (!e.widget)
        return true;
    if (!e.widget->isHidden())
        return false;
    const QMdiSubWindow* sub = e.sub();
    return !(sub && (sub->isMinimized() || sub->isShaded()));
}

// Drops a closed window from the list; its frame goes with it. A window
// being destroyed may sit in a frame that is itself being destroyed: then
// the frame is only scheduled for deletion, never touched otherwise.
void forget(QObject* key, bool destroyed = false)
{
    auto& list = openList();
    auto it = std::find_if(list.begin(), list.end(), [key](const OpenEntry& e) { return e.key == key; });
    if (it == list.end())
        return;
    QPointer<QObject> frame = it->frame;
    list.erase(it);
    if (!frame)
        return;
    if (!destroyed) {
        if (QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(frame.data()))
            sub->hide();
    }
    frame->deleteLater();
}

// Watches a window for the hide that ends an accepted close, whether the
// window closed itself or was closed from outside.
class CloseWatcher final : public QObject {
public:
    explicit CloseWatcher(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Hide) {
            if (OpenEntry* e = entryOf(window_); e && isClosed(*e))
                forget(window_);
        }
        return false;
    }

private:
    QWidget* window_;
};

int twipsProperty(const QWidget* w, const char* name)
{
    const QVariant v = w->property(name);
    return v.isValid() ? v.toInt() : -1;
}

// Sizes (when the window has a design size) and centres a window's frame in
// the MDI area.
void applyPlacement(QWidget* window, QMdiSubWindow* sub)
{
    if (!gHost.area || !sub)
        return;
    const int w = twipsProperty(window, kDesignW);
    const int h = twipsProperty(window, kDesignH);
    if (w >= 0 && h >= 0)
        sub->resize(childSize(mainWindowSize(), screenSize(), w, h));
    else if (!sub->testAttribute(Qt::WA_Resized))
        sub->adjustSize();
    const int raise = std::max(0, twipsProperty(window, kRaise));
    QPoint pos = centredIn(clientArea().size(), sub->size());
    pos.ry() -= twipsToPixels(raise);
    // Keep the frame's title bar inside the area so it can still be moved.
    sub->move(std::max(0, pos.x()), std::max(0, pos.y()));
}

QMdiSubWindow* frameOf(QWidget* window)
{
    if (OpenEntry* e = entryOf(window))
        return e->sub();
    return nullptr;
}

}  // namespace

void registerWindow(const QString& name, WindowFactory factory) { factories()[name] = std::move(factory); }

QWidget* findWindow(const QString& name)
{
    OpenEntry* e = entryNamed(name);
    if (!e)
        return nullptr;
    if (isClosed(*e)) {
        forget(e->key);
        return nullptr;
    }
    return e->widget;
}

QWidget* openWindow(const QString& name)
{
    if (QWidget* open = findWindow(name))
        return open;
    const auto it = factories().find(name);
    if (it == factories().end() || !it->second)
        return nullptr;
    QWidget* window = it->second();
    if (!window)
        return nullptr;
    if (window->objectName().isEmpty())
        window->setObjectName(name);
    // Every child is unloaded when it closes; each opening starts afresh.
    window->setAttribute(Qt::WA_DeleteOnClose);

    QMdiSubWindow* sub = gHost.area ? gHost.area->addSubWindow(window) : nullptr;
    openList().push_back({name, window, window, sub});
    new CloseWatcher(window);
    QObject::connect(window, &QObject::destroyed, [window] { forget(window, true); });

    if (sub) {
        applyPlacement(window, sub);
        sub->show();
    } else {
        window->show();
    }
    return window;
}

bool closeWindow(const QString& name)
{
    OpenEntry* e = entryNamed(name);
    if (!e)
        return true;
    QObject* key = e->key;
    QWidget* window = e->widget;
    QMdiSubWindow* sub = e->sub();
    const bool closed = sub ? sub->close() : window->close();
    if (!closed)
        return false;
    forget(key);
    return true;
}

QWidget* reopenWindow(const QString& name)
{
    if (!closeWindow(name))
        return findWindow(name);  // it refused: it stays as it is
    return openWindow(name);
}

QStringList openWindowNames()
{
    QStringList names;
    for (const auto& e : openList())
        if (!isClosed(e))
            names << e.name;
    return names;
}

bool closeAllWindows()
{
    const QStringList names = openWindowNames();
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        if (!closeWindow(*it))
            return false;
    return true;
}

void placeChild(QWidget* window, int designW, int designH)
{
    if (!window)
        return;
    window->setProperty(kDesignW, designW);
    window->setProperty(kDesignH, designH);
    if (QMdiSubWindow* sub = frameOf(window))
        applyPlacement(window, sub);
}

void centreChild(QWidget* window, int raiseTwips)
{
    if (!window)
        return;
    window->setProperty(kRaise, raiseTwips);
    if (QMdiSubWindow* sub = frameOf(window))
        applyPlacement(window, sub);
}

QSize mainWindowSize() { return gHost.main ? gHost.main->size() : QSize(); }

QSize screenSize()
{
    if (gScreenOverride.isValid() && !gScreenOverride.isEmpty())
        return gScreenOverride;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

QRect clientArea()
{
    if (!gHost.area)
        return {};
    return {QPoint(0, 0), gHost.area->viewport()->size()};
}

void attachMainWindow(QWidget* main, QMdiArea* area) { gHost = {main, area}; }

void setScreenSizeOverride(QSize pixels) { gScreenOverride = pixels; }
bool screenSizeOverridden() { return gScreenOverride.isValid() && !gScreenOverride.isEmpty(); }

}  // namespace vx::shell
