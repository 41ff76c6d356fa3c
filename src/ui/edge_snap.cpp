#include "ui/edge_snap.h"

namespace lantern {
namespace {

enum class Direction { Left, Right, Up, Down };

bool isHorizontal(Direction direction) { return direction == Direction::Left || direction == Direction::Right; }

double signOf(Direction direction) {
    return direction == Direction::Right || direction == Direction::Down ? 1.0 : -1.0;
}

// Steps of kGlideStepTwips in `direction`, events running before each step, for as
// long as `goOn` holds after a step; the first step is made before any test. A step
// that gains nothing (the window manager clamped the move, or the window is gone)
// ends the glide, so a glide always ends; the rule's final setting then puts the
// window where it belongs.
template <class Condition>
void glide(Window& window, EventLoop& events, Direction direction, Condition goOn) {
    const bool horizontal = isHorizontal(direction);
    const double step = signOf(direction) * kGlideStepTwips;
    do {
        events.doEvents();
        if (!window.alive()) return;
        // Read after the events ran: a new drag may have moved the window meanwhile.
        const double before = horizontal ? window.left() : window.top();
        if (horizontal) {
            window.move(before + step, window.top());
        } else {
            window.move(window.left(), before + step);
        }
        const double after = horizontal ? window.left() : window.top();
        if ((after - before) * step <= 0) return;
    } while (goOn());
}

void setLeft(Window& window, double left) { window.move(left, window.top()); }
void setTop(Window& window, double top) { window.move(window.left(), top); }

}  // namespace

void snapToEdges(Window& w, Toolkit& toolkit, EventLoop& events) {
    const double near = kSnapDistanceTwips;
    auto screenWidth = [&] { return toolkit.screenWidth(); };
    auto screenHeight = [&] { return toolkit.screenHeight(); };

    // Back onto the screen over an edge it hangs across.
    if (w.left() < 0) {
        glide(w, events, Direction::Right, [&] { return w.left() < 0; });
        setLeft(w, 0);
    }
    if (w.top() < 0) {
        glide(w, events, Direction::Down, [&] { return w.top() < 0; });
        setTop(w, 0);
    }
    if (w.top() + w.height() > screenHeight()) {
        glide(w, events, Direction::Up, [&] { return w.top() > screenHeight() - w.height(); });
        setTop(w, screenHeight() - w.height());
    }
    if (w.left() + w.width() > screenWidth()) {
        glide(w, events, Direction::Left, [&] { return w.left() > screenWidth() - w.width(); });
        setLeft(w, screenWidth() - w.width());
    }

    // Flush against every edge it is near; right and bottom come last, so a window
    // near both edges of a narrow screen ends against the right (bottom) one.
    if (w.left() < near) {
        glide(w, events, Direction::Left, [&] { return w.left() > 0; });
        setLeft(w, 0);
    }
    if (w.top() < near) {
        glide(w, events, Direction::Up, [&] { return w.top() > 0; });
        setTop(w, 0);
    }
    if (w.left() + w.width() + near > screenWidth()) {
        glide(w, events, Direction::Right, [&] { return w.left() + w.width() < screenWidth(); });
        setLeft(w, screenWidth() - w.width());
    }
    if (w.top() + w.height() + near > screenHeight()) {
        glide(w, events, Direction::Down, [&] { return w.top() + w.height() < screenHeight(); });
        setTop(w, screenHeight() - w.height());
    }
}

}  // namespace lantern
