// Shows how many messages are selected, counted from the clicks on their
// boxes (as the real inbox counts them), not from the boxes themselves.
document.addEventListener('DOMContentLoaded', function () {
  var form = document.forms['messageList'];
  var shown = document.getElementById('selectedCount');
  if (!form || !shown)
    return;
  var selected = form.querySelectorAll('input[name="Mid"]:checked').length;
  shown.textContent = selected;
  form.addEventListener('click', function (event) {
    var box = event.target;
    if (box.name !== 'Mid')
      return;
    selected += box.checked ? 1 : -1;
    shown.textContent = selected;
  });
});
