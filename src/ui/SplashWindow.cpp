#include "ui/SplashWindow.h"

#include "app/AppInfo.h"
#include "ui/Logo.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tolvane {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AppInfo::title());

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setStyleSheet(QStringLiteral("#Frame1 { border: 2px solid #3c8d2f; background: #f7faf5; }"));

    auto *logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(Logo::pixmap(96));
    logo->setAlignment(Qt::AlignTop);

    auto *company = new QLabel(QStringLiteral("青禾起名程序"), frame);
    company->setObjectName(QStringLiteral("lblCompanyProduct"));
    QFont big = company->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    company->setFont(big);
    auto *product = new QLabel(QStringLiteral("适用于WIN95/WIN98或更高版本"), frame);
    product->setObjectName(QStringLiteral("lblProductName"));
    auto *version = new QLabel(AppInfo::splashVersion(), frame);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *warning = new QLabel(AppInfo::splashWarning(), frame);
    warning->setObjectName(QStringLiteral("lblWarning"));
    warning->setWordWrap(true);

    auto *right = new QVBoxLayout;
    right->addWidget(company);
    right->addWidget(product);
    right->addSpacing(12);
    right->addWidget(version);
    right->addStretch();
    auto *inner = new QGridLayout(frame);
    inner->setContentsMargins(20, 20, 20, 16);
    inner->setHorizontalSpacing(24);
    inner->addWidget(logo, 0, 0);
    inner->addLayout(right, 0, 1);
    inner->addWidget(warning, 1, 0, 1, 2);
    inner->setColumnStretch(1, 1);
    inner->setRowStretch(0, 1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setFixedSize(480, 240);
}

} // namespace tolvane
