#pragma once

#include "editor/AffiliateSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace ferrowen {

// "Earn $$": whether posted blogs carry the affiliate credit, with the
// user's affiliate identifier and credit text.
class AffiliateDialog : public QDialog
{
    Q_OBJECT

public:
    AffiliateDialog(const AffiliateSettings &settings, QWidget *parent = nullptr);

    AffiliateSettings settings() const;

private:
    void updateOkButton();

    QCheckBox *m_enabled = nullptr;
    QLineEdit *m_id = nullptr;
    QLineEdit *m_text = nullptr;
};

} // namespace ferrowen
