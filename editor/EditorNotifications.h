#ifndef VELMORA_EDITOR_EDITORNOTIFICATIONS_H
#define VELMORA_EDITOR_EDITORNOTIFICATIONS_H

#include <QString>

// The names the editor's views and controllers post on the default notification centre;
// the sender is the posting view or controller.
namespace EditorNotifications {

inline const QString kSingleTap = QStringLiteral("Single Tap");
inline const QString kDoubleTap = QStringLiteral("Double Tap");
inline const QString kSwipeLeft = QStringLiteral("Swipe Left");
inline const QString kSwipeRight = QStringLiteral("Swipe Right");
inline const QString kHoverShown = QStringLiteral("Hover Shown");
inline const QString kHoverHidden = QStringLiteral("Hover Hidden");

} // namespace EditorNotifications

#endif
