// Shows how many messages are selected, counted from the changes of their
// boxes (not read from the boxes), and ticks or clears every message box
// when the select-all box changes.
document.addEventListener('DOMContentLoaded', function () {
  var form = document.forms['hotmail'];
  if (!form)
    return;
  var selectAll = form.elements['allbox'];
  var shown = document.getElementById('selectedCount');
  function isMessageBox(element) {
    return element.type === 'checkbox' && element !== selectAll;
  }
  var messageBoxes = Array.prototype.filter.call(form.elements, isMessageBox);
  var selected = messageBoxes.filter(function (box) { return box.checked; }).length;
  function show() {
    if (shown)
      shown.textContent = selected;
  }
  show();
  form.addEventListener('change', function (event) {
    if (!isMessageBox(event.target))
      return;
    selected += event.target.checked ? 1 : -1;
    show();
  });
  if (!selectAll)
    return;
  selectAll.addEventListener('click', function () {
    messageBoxes.forEach(function (box) { box.checked = selectAll.checked; });
    selected = selectAll.checked ? messageBoxes.length : 0;
    show();
  });
});
