// Runs one operation of a script library (the page access library, the
// editor's document library, a provider's page script) in the program's own
// script world and answers with the envelope {ok, value, error}. A library
// registers itself on window as {operations, expected}: its operations by
// name, and the class of the errors it reports on purpose (any other error
// is a fault of the script and says so). The C++ side puts the request (a
// JSON object) and the library's name in place of the placeholders below.
// When the library is not yet installed in this document the answer says
// so, and the caller installs it and asks again.
(function (request, library) {
    'use strict';
    const access = window[library];
    if (typeof access === 'undefined')
        return '{"ok":false,"missing":true}';
    try {
        const operation = access.operations[request.op];
        if (!operation)
            return JSON.stringify({ ok: false, error: 'unknown operation ' + request.op });
        const value = operation(request);
        return JSON.stringify({ ok: true, value: value === undefined ? null : value });
    } catch (error) {
        const expected = error instanceof access.expected;
        return JSON.stringify({
            ok: false,
            error: (expected ? '' : 'script error: ') + String(error && error.message ? error.message : error),
        });
    }
})(/*request*/null, /*library*/"");
