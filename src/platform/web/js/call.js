// Runs one operation of the page access library in the automation's script
// world. The C++ side puts the request (a JSON object) in place of the
// placeholder below. When the library is not yet installed in this document
// the answer says so, and the caller installs it and asks again.
(function (request) {
    'use strict';
    if (typeof window.ferrowenPageAccess === 'undefined')
        return '{"ok":false,"missing":true}';
    return window.ferrowenPageAccess.run(request);
})(/*request*/null);
