// Runs in the page's own script world before any of the page's scripts.
// HTMLFormElement.submit() sends a form without a 'submit' event, so the
// automation's world would never hear of it: announce it with an event on
// the form first, then submit as before.
(function () {
    'use strict';
    const original = HTMLFormElement.prototype.submit;
    Object.defineProperty(HTMLFormElement.prototype, 'submit', {
        value: function submit() {
            this.dispatchEvent(new CustomEvent('ferrowen-form-submit'));
            return original.call(this);
        },
        writable: true,
        enumerable: true,
        configurable: true,
    });
})();
