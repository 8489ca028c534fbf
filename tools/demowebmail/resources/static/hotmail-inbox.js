// Ticks or clears every message box when the select-all box changes. Only a
// convenience: the inbox works without it.
document.addEventListener('DOMContentLoaded', function () {
  var form = document.forms['hotmail'];
  if (!form || !form.elements['allbox'])
    return;
  var selectAll = form.elements['allbox'];
  selectAll.addEventListener('click', function () {
    for (var i = 0; i < form.elements.length; i++) {
      var element = form.elements[i];
      if (element.type === 'checkbox' && element !== selectAll)
        element.checked = selectAll.checked;
    }
  });
});
