// The one body of every shared dialog's ShowModal: the dialog's own event
// loop, or, when a test has set the dialog's hook, the first-showing work
// followed by the hook in place of the loop.
#pragma once

#include <QDialog>
#include <functional>

template <class Form>
int ShowModalForm(Form& form, const std::function<void(Form&)>& hook) {
  if (!hook) return form.exec();
  form.setResult(QDialog::Rejected);
  form.FormShow();
  hook(form);
  return form.result();
}
