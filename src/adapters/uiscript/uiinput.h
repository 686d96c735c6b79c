#pragma once

#include <QKeySequence>
#include <QPoint>
#include <QString>

#include <optional>

class QWidget;

namespace quiz
{

// Input as a person gives it, delivered to widgets without a screen. A point
// is in the coordinates of the widget named; the events go to the deepest
// visible child under it, and what it ignores travels up to its parents as
// with real input. The widget may be gone after any of these.

void clickAt(QWidget *widget, QPoint point);
// Press, release, press, double click, release.
void doubleClickAt(QWidget *widget, QPoint point);
// Right press and release, then the context-menu request.
void rightClickAt(QWidget *widget, QPoint point);
// Left press at `from`, moves, and release at `to`; the widget pressed takes them all.
void dragFromTo(QWidget *widget, QPoint from, QPoint to);
// A press and a release for each key combination of the sequence.
void typeKeys(QWidget *widget, const QKeySequence &keys);

// The key sequence of KEYS text ("PgDown", "Shift+Left", "Ctrl+A, Ctrl+C");
// nullopt when any part names no key.
std::optional<QKeySequence> parseKeys(const QString &text);

// The centre of the item ITEM (its text; a tab's caption) on an item view or
// a tab widget or tab bar, scrolled into view, in the widget's coordinates.
// nullopt when the widget holds no such item; `unfit` is set when the widget
// has no items at all.
std::optional<QPoint> itemPoint(QWidget *widget, const QString &item, bool *unfit = nullptr);

// A caption as shown: "&File" and "File" both read "File".
QString shownCaption(const QString &caption);

} // namespace quiz
