#include "OrvistoAppDelegate.h"

#include "AnimationBlock.h"
#include "ApplicationId.h"
#include "ImagePickerController.h"
#include "MessageBanner.h"
#include "NavigationBar.h"
#include "NavigationController.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "PictureSource.h"
#include "RootViewController.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

// The window's icon: a rounded tile with the program's initial.
QIcon appIcon()
{
    QPixmap pixmap(128, 128);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 128, 128);
    gradient.setColorAt(0, QColor(255, 170, 60));
    gradient.setColorAt(1, QColor(200, 40, 110));
    QPainterPath tile;
    tile.addRoundedRect(QRectF(4, 4, 120, 120), 26, 26);
    painter.fillPath(tile, gradient);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(84);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(4, 4, 120, 120), Qt::AlignCenter, QStringLiteral("V"));
    return QIcon(pixmap);
}

} // namespace

OrvistoAppDelegate::OrvistoAppDelegate(const QString &settingsFile, QObject *parent)
    : QObject(parent), m_settingsFile(settingsFile)
{
}

OrvistoAppDelegate::~OrvistoAppDelegate()
{
    applicationWillTerminate();
    // The screens go before their window; the window deletes the views it still shows.
    m_navigationController.reset();
    m_rootViewController.reset();
    delete m_window.data();
}

void OrvistoAppDelegate::applicationDidFinishLaunching()
{
    ApplicationId::setId(ApplicationId::kVelmora);
    m_settings = std::make_unique<PhotoSettings>(m_settingsFile);
    m_animation = std::make_unique<AnimationBlock>();

    m_rootViewController = std::make_unique<RootViewController>();
    m_navigationController = std::make_unique<NavigationController>(m_rootViewController.get());
    m_navigationController->navigationBar()->setBarStyle(NavigationBar::BlackTranslucent);

    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("window"));
    window->setWindowTitle(QStringLiteral("Velmora"));
    window->setWindowIcon(appIcon());
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_navigationController->view());
    // Qt refuses damaged geometry and brings a window that would lie off every screen onto one.
    if (!window->restoreGeometry(m_settings->windowGeometry()))
        window->resize(kWindowWidth, kWindowHeight);
    addShortcuts(window);
    window->show();
    window->activateWindow();
    m_window = window;

    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state != Qt::ApplicationActive)
                        applicationWillResignActive();
                });
        connect(app, &QCoreApplication::aboutToQuit, this,
                &OrvistoAppDelegate::applicationWillTerminate);
    }
}

void OrvistoAppDelegate::applicationWillResignActive()
{
    saveSettings(true);
}

void OrvistoAppDelegate::applicationWillTerminate()
{
    if (m_terminated || !m_settings)
        return;
    m_terminated = true;
    // The editor hands its picture to the store when it goes off screen; at quit it is still on.
    if (m_navigationController)
        m_navigationController->popToRootViewControllerAnimated(false);
    saveSettings(false);
}

void OrvistoAppDelegate::addShortcuts(QWidget *window)
{
    const auto add = [this, window](const QKeySequence &keys,
                                    void (OrvistoAppDelegate::*action)()) {
        auto *shortcut = new QShortcut(keys, window);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_O), &OrvistoAppDelegate::pickPhoto);
    add(QKeySequence(Qt::Key_Escape), &OrvistoAppDelegate::goBack);
    add(QKeySequence(Qt::ALT | Qt::Key_Left), &OrvistoAppDelegate::goBack);
    add(QKeySequence(Qt::Key_F1), &OrvistoAppDelegate::showHelp);
    add(QKeySequence(Qt::Key_F11), &OrvistoAppDelegate::toggleFullScreen);
    // Ctrl+Q quits; the picture being edited is kept for next time, as on any other exit.
    auto *quit = new QShortcut(QKeySequence::Quit, window);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, QCoreApplication::instance(), &QCoreApplication::quit);
}

bool OrvistoAppDelegate::mayLeaveScreen() const
{
    if (m_navigationController->modalViewController() != nullptr)
        return false;
    const ViewController *top = m_navigationController->topViewController();
    return top == nullptr || top->mayGoBack();
}

void OrvistoAppDelegate::pickPhoto()
{
    if (mayLeaveScreen())
        m_rootViewController->promptPhoto(PictureSource::PhotoLibrary);
}

void OrvistoAppDelegate::goBack()
{
    if (MessageBanner *banner = MessageBanner::shown(m_window)) {
        banner->dismiss();
    } else if (ViewController *modal = m_navigationController->modalViewController()) {
        if (auto *picker = qobject_cast<ImagePickerController *>(modal))
            picker->cancelPicking();
        else
            m_navigationController->dismissModalViewControllerAnimated(true);
    } else {
        m_navigationController->goBack();
    }
}

void OrvistoAppDelegate::showHelp()
{
    if (mayLeaveScreen())
        m_rootViewController->showHelp();
}

void OrvistoAppDelegate::toggleFullScreen()
{
    m_window->setWindowState(m_window->windowState() ^ Qt::WindowFullScreen);
}

void OrvistoAppDelegate::saveSettings(bool tellUser)
{
    if (!m_settings)
        return;
    if (m_window)
        m_settings->setWindowGeometry(m_window->saveGeometry());
    if (m_settings->save())
        return;
    const QString message = QStringLiteral("Velmora could not save your settings to %1; the "
                                           "settings saved before are kept.")
                                .arg(m_settings->fileName());
    std::fprintf(stderr, "velmora: %s\n", qPrintable(message));
    if (tellUser && m_window && m_window->isVisible())
        MessageBanner::showMessage(m_window, message);
}

bool OrvistoAppDelegate::openPhoto(const QString &path)
{
    const PictureSource::LoadResult loaded = PictureSource::load(
        PictureSource::PhotoLibrary, path, {}, PhotoViewController::workingBox());
    if (!loaded.ok()) {
        std::fprintf(stderr, "velmora: %s\n",
                     qPrintable(loaded.detail.isEmpty() ? loaded.error : loaded.detail));
        MessageBanner::showMessage(m_navigationController->topViewController()->view(),
                                   loaded.error);
        return false;
    }
    m_rootViewController->editPhoto(loaded.picture, false);
    return true;
}
