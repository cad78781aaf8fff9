#include "data/DatabaseFailure.h"

namespace tolvane {

UserMessage DatabaseFailure::message() const
{
    if (kind == Kind::File)
        return UserMessage::warning(QStringLiteral("找不到namedbs.mdb数据库。"), QStringLiteral("找不到数据库"));
    const QString prefix = QStringLiteral("找不到namedbs.mdb数据库里的") + tableName(table);
    if (wording == Wording::OpenInDesign)
        return UserMessage::plain(prefix + QStringLiteral("表或此表已打开在设计状态。"));
    return UserMessage::warning(prefix + QStringLiteral("表或此表在设计状态。"), QStringLiteral("数据库问题"));
}

} // namespace tolvane
