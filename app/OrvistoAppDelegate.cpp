#include "OrvistoAppDelegate.h"

#include "AnimationBlock.h"
#include "ApplicationId.h"
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
#include <QMessageBox>
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
    window->resize(kWindowWidth, kWindowHeight);
    // Ctrl+Q quits; the picture being edited is kept for next time, as on any other exit.
    auto *quit = new QShortcut(QKeySequence::Quit, window);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, QCoreApplication::instance(), &QCoreApplication::quit);
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

void OrvistoAppDelegate::saveSettings(bool tellUser)
{
    if (!m_settings || m_settings->save())
        return;
    const QString message =
        QStringLiteral("Velmora could not save its settings to %1; the previous settings are "
                       "kept.")
            .arg(m_settings->fileName());
    std::fprintf(stderr, "velmora: %s\n", qPrintable(message));
    if (tellUser && m_window && m_window->isVisible()) {
        auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Velmora"), message,
                                    QMessageBox::Ok, m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
}

bool OrvistoAppDelegate::openPhoto(const QString &path)
{
    const PictureSource::LoadResult loaded = PictureSource::load(
        PictureSource::PhotoLibrary, path, {}, PhotoViewController::workingBox());
    if (!loaded.ok()) {
        std::fprintf(stderr, "velmora: %s\n", qPrintable(loaded.error));
        if (m_window) {
            auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Velmora"),
                                        loaded.error, QMessageBox::Ok, m_window);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        }
        return false;
    }
    m_rootViewController->editPhoto(loaded.picture, false);
    return true;
}
