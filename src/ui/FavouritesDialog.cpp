#include "ui/FavouritesDialog.h"
#include "ui/DialogFrame.h"

#include "app/Dispatcher.h"
#include "naming/SuggestionText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace tolvane {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

FavouritesDialog::FavouritesDialog(Dispatcher &dispatcher, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_dispatcher(dispatcher)
{
    setObjectName(QStringLiteral("frmShoucang"));
    setWindowTitle(QStringLiteral("收藏与比较"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("本次推荐的名字："), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("收藏的名字（选两到五个来比较）："), this), 0, 2);
    m_suggested = new QListWidget(this);
    m_suggested->setObjectName(QStringLiteral("lstTuijian"));
    m_suggested->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const SuggestedName &name : dispatcher.lastSuggestions()) {
        auto *item = new QListWidgetItem(
            name.fullName() + QStringLiteral("  ") + QString::number(name.score) + QStringLiteral("分"), m_suggested);
        item->setData(Qt::UserRole, name.surname);
        item->setData(Qt::UserRole + 1, name.given);
        item->setToolTip(SuggestionText::scoreLine(name) + QLatin1Char('\n') + name.reasons.join(QLatin1Char('\n')));
    }
    m_favourites = new QListWidget(this);
    m_favourites->setObjectName(QStringLiteral("lstShoucang"));
    m_favourites->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->addWidget(m_suggested, 1, 0, 4, 1);
    grid->addWidget(m_favourites, 1, 2, 4, 1);
    QPushButton *keep = button(this, "cmdShoucang", QStringLiteral("收藏 →"));
    QPushButton *remove = button(this, "cmdYichu", QStringLiteral("移除"));
    grid->addWidget(keep, 1, 1);
    grid->addWidget(remove, 2, 1);

    m_typed = new QLineEdit(this);
    m_typed->setObjectName(QStringLiteral("txtShoucangName"));
    m_typed->setPlaceholderText(QStringLiteral("也可输入一个全名收藏，如 王思远"));
    QPushButton *add = button(this, "cmdShoucangAdd", QStringLiteral("收藏此名"));
    grid->addWidget(m_typed, 5, 0);
    grid->addWidget(add, 5, 1);

    m_sex = new QComboBox(this);
    m_sex->setObjectName(QStringLiteral("cmbShoucangSex"));
    m_sex->addItems({ QStringLiteral("男孩"), QStringLiteral("女孩") });
    if (!dispatcher.lastSuggestions().isEmpty() && dispatcher.lastSuggestedSex() == Sex::Female)
        m_sex->setCurrentIndex(1);
    QPushButton *compare = button(this, "cmdBijiao", QStringLiteral("比较所选"));
    QPushButton *close = button(this, "cmdShoucangClose", QStringLiteral("关闭"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("按"), this));
    bottom->addWidget(m_sex);
    bottom->addWidget(new QLabel(QStringLiteral("比较"), this));
    bottom->addWidget(compare);
    bottom->addStretch(1);
    bottom->addWidget(close);
    grid->addLayout(bottom, 5, 2);

    connect(keep, &QPushButton::clicked, this, &FavouritesDialog::keepSelected);
    connect(m_suggested, &QListWidget::itemDoubleClicked, this, &FavouritesDialog::keepSelected);
    connect(add, &QPushButton::clicked, this, &FavouritesDialog::keepTyped);
    connect(m_typed, &QLineEdit::returnPressed, this, &FavouritesDialog::keepTyped);
    connect(remove, &QPushButton::clicked, this, &FavouritesDialog::removeSelected);
    connect(compare, &QPushButton::clicked, this, &FavouritesDialog::compareSelected);
    connect(close, &QPushButton::clicked, this, &FavouritesDialog::reject);

    const std::optional<FavouriteNames> kept = FavouriteNames::read(dispatcher.paths().favouritesPath());
    if (kept) {
        m_kept = *kept;
    } else {
        QMessageBox::warning(this, windowTitle(),
            QStringLiteral("无法读取收藏文件 %1，这次收藏的名字将另行保存。").arg(dispatcher.paths().favouritesPath()));
    }
    showKept();
}

void FavouritesDialog::showKept()
{
    m_favourites->clear();
    for (const FavouriteNames::Name &name : m_kept.names()) {
        auto *item = new QListWidgetItem(name.full(), m_favourites);
        item->setData(Qt::UserRole, name.surname);
        item->setData(Qt::UserRole + 1, name.given);
    }
}

bool FavouritesDialog::save()
{
    QString reason;
    if (m_kept.write(m_dispatcher.paths().favouritesPath(), &reason))
        return true;
    QMessageBox::warning(this, windowTitle(),
        QStringLiteral("无法保存收藏文件 %1：%2。收藏没有改动。").arg(m_dispatcher.paths().favouritesPath(), reason));
    m_kept = FavouriteNames::read(m_dispatcher.paths().favouritesPath()).value_or(FavouriteNames {});
    showKept();
    return false;
}

void FavouritesDialog::keepSelected()
{
    bool changed = false;
    for (QListWidgetItem *item : m_suggested->selectedItems())
        changed |= m_kept.add({ item->data(Qt::UserRole).toString(), item->data(Qt::UserRole + 1).toString() });
    if (changed && save())
        showKept();
}

void FavouritesDialog::keepTyped()
{
    const std::optional<FavouriteNames::Name> name = m_dispatcher.splitFullName(m_typed->text());
    if (!name) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("请输入两到四个字的全名。"));
        return;
    }
    if (m_kept.add(*name) && save()) {
        showKept();
        m_typed->clear();
    }
}

void FavouritesDialog::removeSelected()
{
    bool changed = false;
    for (QListWidgetItem *item : m_favourites->selectedItems())
        changed |= m_kept.remove(item->text());
    if (changed && save())
        showKept();
}

void FavouritesDialog::compareSelected()
{
    QList<FavouriteNames::Name> names;
    for (int i = 0; i < m_favourites->count(); ++i) {
        QListWidgetItem *item = m_favourites->item(i);
        if (item->isSelected())
            names.append({ item->data(Qt::UserRole).toString(), item->data(Qt::UserRole + 1).toString() });
    }
    if (names.size() < 2 || names.size() > 5) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("请在收藏的名字里选两到五个来比较。"));
        return;
    }
    accept();
    m_dispatcher.compareNames(names, m_sex->currentIndex() == 1 ? Sex::Female : Sex::Male,
        m_dispatcher.lastSuggestedElements());
}

} // namespace tolvane
