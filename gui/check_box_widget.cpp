#include "gui/check_box_widget.h"

#include "model/app/controls/check_box.h"
#include "gui/simple_bindings.h"

#include <QCheckBox>

QCheckBox* make_check_box(CheckBox& model, const char* name, const Guard& guard, QWidget* parent) {
    auto* box = new QCheckBox(to_qstring(model.caption()), parent);
    box->setObjectName(name);
    box->setChecked(model.checked());
    // clicked comes from the user only, so the echo below never loops back.
    QObject::connect(box, &QCheckBox::clicked, box, [guard, &model](bool checked) {
        guard([&model, checked] {
            model.set_checked(checked);
            model.click();
        });
    });
    QObject::connect(&model, &CheckBox::changed, box, [box, &model] {
        if (box->isChecked() != model.checked()) box->setChecked(model.checked());
    });
    return box;
}
