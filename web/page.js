'use strict';
// Drives the dialog's module: hands it the lines the person sends and shows
// what it writes. The dialog itself is all in the module.
(() => {
  const log = document.getElementById('log');
  const status = document.getElementById('status');
  const again = document.getElementById('again');
  const form = document.getElementById('answer-form');
  const field = document.getElementById('answer');
  const send = document.getElementById('send');
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  // The module, inline as base64 in a block of data that is no script (the
  // browser's JavaScript parser would take longer over it); decoded in a plain
  // loop, as Uint8Array.from with a function took some 40 ms.
  const moduleText = atob(document.getElementById('page-module').textContent);
  const moduleBytes = new Uint8Array(moduleText.length);
  for (let i = 0; i < moduleText.length; ++i) {
    moduleBytes[i] = moduleText.charCodeAt(i);
  }
  const compiled = WebAssembly.compile(moduleBytes);

  // asyncify's states, as asyncify_get_state tells them.
  const unwinding = 1;
  const rewinding = 2;
  let module = null; // the running instance's exports
  let unread = new Uint8Array(0); // sent but not yet read by the dialog
  let waiting = false; // the dialog waits for a line

  function showLatest() {
    log.scrollTop = log.scrollHeight;
  }

  function write(data, size) {
    log.append(decoder.decode(new Uint8Array(module.memory.buffer, data, size)));
    showLatest();
  }

  // With nothing left to read, the dialog's stack is unwound, to be rewound
  // into this same call when the next line comes.
  function read(buffer, capacity) {
    if (module.asyncify_get_state() === rewinding) {
      module.asyncify_stop_rewind();
    } else if (unread.length === 0) {
      const stack = module.unwound_stack();
      const view = new DataView(module.memory.buffer);
      view.setUint32(stack, stack + 8, true);
      view.setUint32(stack + 4, stack + module.unwound_stack_size(), true);
      module.asyncify_start_unwind(stack);
      return 0;
    }
    const count = Math.min(capacity, unread.length);
    new Uint8Array(module.memory.buffer, buffer, count).set(unread.subarray(0, count));
    unread = unread.subarray(count);
    return count;
  }

  function runUntilWaiting() {
    module.run();
    if (module.asyncify_get_state() === unwinding) {
      module.asyncify_stop_unwind();
      waiting = true;
      return;
    }
    field.disabled = true;
    send.disabled = true;
    status.textContent = 'Das Programm ist beendet.';
    again.hidden = false;
    again.focus();
    showLatest();
  }

  // A new run in a new instance, its memory fresh as a new process's.
  function start() {
    compiled
      .then((compiledModule) => WebAssembly.instantiate(compiledModule, { page: { read, write } }))
      .then((instance) => {
        module = instance.exports;
        module._initialize();
        runUntilWaiting();
      })
      .catch((error) => {
        status.textContent = 'Das Programm konnte nicht starten: ' + error.message;
      });
  }

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    field.focus();
    if (!waiting) {
      return;
    }
    const line = field.value + '\n';
    const answer = document.createElement('kbd');
    answer.textContent = line;
    log.append(answer);
    field.value = '';
    unread = encoder.encode(line);
    waiting = false;
    module.asyncify_start_rewind(module.unwound_stack());
    runUntilWaiting();
  });
  // A tap on the button leaves the focus, and a phone's keyboard, in the field.
  send.addEventListener('mousedown', (event) => event.preventDefault());

  again.addEventListener('click', () => {
    log.replaceChildren();
    status.textContent = '';
    again.hidden = true;
    field.disabled = false;
    send.disabled = false;
    field.focus();
    start();
  });

  start();
  field.focus();
})();
