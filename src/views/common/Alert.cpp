#include "views/common/Alert.h"

#include "models/paths/FileName.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace quillmere {

void showAlert(QWidget* window, const QString& message) {
    const QString text = FileName::displayText(message);
    auto* alert = new QMessageBox(QMessageBox::Warning, u"Quillmere"_s, text, QMessageBox::Ok, window);
    alert->setObjectName(u"alert"_s);
    alert->setAccessibleName(text);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    alert->open();
}

} // namespace quillmere
