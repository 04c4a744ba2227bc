#ifndef VELMORA_APP_ORVISTOAPPDELEGATE_H
#define VELMORA_APP_ORVISTOAPPDELEGATE_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class AnimationBlock;
class NavigationController;
class PhotoSettings;
class RootViewController;

// Starts the application: the identifier, the settings store, the shared animation object,
// the window with the navigation stack and the main menu. The window comes back at the size
// and place it was left. The settings (the window's geometry with them) are written whenever
// the application stops being active and when it quits.
//
// The window's keys: Ctrl+O picks a photo, Escape and Alt+Left go back (closing a message or
// the picker first), F1 shows help, F11 turns full screen on and off, Ctrl+Q quits. None of
// them leaves a screen that refuses to go (an editor applying an effect).
class OrvistoAppDelegate : public QObject
{
    Q_OBJECT

public:
    // Phone-shaped: the window's first size, in logical pixels.
    static constexpr int kWindowWidth = 360;
    static constexpr int kWindowHeight = 640;

    // `settingsFile` empty: the default settings file.
    explicit OrvistoAppDelegate(const QString &settingsFile = QString(), QObject *parent = nullptr);
    ~OrvistoAppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillResignActive();
    void applicationWillTerminate();

    QWidget *window() const { return m_window; }
    NavigationController *navigationController() const { return m_navigationController.get(); }
    RootViewController *rootViewController() const { return m_rootViewController.get(); }
    PhotoSettings *settings() const { return m_settings.get(); }

    // Opens a photo file straight in the editor; false (the user is told why) when it
    // cannot be read.
    bool openPhoto(const QString &path);

private:
    void saveSettings(bool tellUser);
    void addShortcuts(QWidget *window);
    // No picker or other screen over the stack, and the top screen may be left.
    bool mayLeaveScreen() const;
    void pickPhoto();
    void goBack();
    void showHelp();
    void toggleFullScreen();

    QString m_settingsFile;
    std::unique_ptr<PhotoSettings> m_settings;
    std::unique_ptr<AnimationBlock> m_animation;
    std::unique_ptr<RootViewController> m_rootViewController;
    std::unique_ptr<NavigationController> m_navigationController;
    QPointer<QWidget> m_window;
    bool m_terminated = false;
};

#endif
