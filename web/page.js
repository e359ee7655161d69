'use strict';
// Drives the dialog's module: hands it the lines the person sends and shows
// what it writes in the log. The dialog itself is all in the module.
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
  // asyncify's data begins with two 32-bit addresses: where its saved stack
  // goes on (asyncify moves it as it saves) and where the room for it ends.
  const stackStartField = 0;
  const stackEndField = 4;
  const stackHeaderSize = 8;

  let exports = null; // the running instance's exports
  let unread = new Uint8Array(0); // sent but not yet read by the dialog
  let waiting = false; // the dialog waits for a line
  // The log is a column of groups of at most 50 blocks, a new block after each
  // answer: as the log grows, the browser lays out the last block, the last
  // group's blocks and the groups, never every block. The output goes into
  // one text node per run of it.
  const blocksPerGroup = 50;
  let group = null;
  let block = null;
  let output = null;
  let following = true; // the log shows its newest line: no one scrolled up to read
  let latestTop = 0; // where showLatest scrolled to

  // Reading the log's size lays it out: done once the dialog waits or ends,
  // never per write.
  function showLatest() {
    log.scrollTop = log.scrollHeight;
    latestTop = log.scrollTop;
    following = true;
  }

  function lastBlock() {
    if (block === null) {
      if (group === null || group.childElementCount === blocksPerGroup) {
        group = document.createElement('div');
        log.append(group);
      }
      block = document.createElement('div');
      group.append(block);
    }
    return block;
  }

  // A long run of output (the answers to a long paste) goes on in a new block
  // after a line once a block holds blockText characters: the browser lays out
  // a huge text more slowly than the same text in parts.
  const blockText = 16 * 1024;
  function write(data, size) {
    let text = decoder.decode(new Uint8Array(exports.memory.buffer, data, size));
    while (text !== '') {
      if (output === null) {
        output = document.createTextNode('');
        lastBlock().append(output);
      }
      let end = text.length;
      if (output.length + text.length > blockText) {
        const lineEnd = text.lastIndexOf('\n', Math.max(0, blockText - output.length - 1));
        end = lineEnd >= 0 ? lineEnd + 1 : text.indexOf('\n') + 1 || text.length;
      }
      output.appendData(text.slice(0, end));
      text = text.slice(end);
      if (text !== '') {
        block = null;
        output = null;
      }
    }
  }

  function echo(line) {
    const answer = document.createElement('kbd');
    answer.textContent = line;
    lastBlock().append(answer);
    block = null;
    output = null;
  }

  // With nothing left to read, the dialog's stack is unwound, to be rewound
  // into this same call when the next line comes.
  function read(buffer, capacity) {
    if (exports.asyncify_get_state() === rewinding) {
      exports.asyncify_stop_rewind();
    } else if (unread.length === 0) {
      const stack = exports.unwound_stack();
      const header = new DataView(exports.memory.buffer, stack, stackHeaderSize);
      header.setUint32(stackStartField, stack + stackHeaderSize, true);
      header.setUint32(stackEndField, stack + exports.unwound_stack_size(), true);
      exports.asyncify_start_unwind(stack);
      return 0;
    }
    const count = Math.min(capacity, unread.length);
    new Uint8Array(exports.memory.buffer, buffer, count).set(unread.subarray(0, count));
    unread = unread.subarray(count);
    return count;
  }

  function runUntilWaiting() {
    exports.run();
    if (exports.asyncify_get_state() === unwinding) {
      exports.asyncify_stop_unwind();
      waiting = true;
    } else {
      field.disabled = true;
      send.disabled = true;
      status.textContent = 'Das Programm ist beendet.';
      again.hidden = false;
      again.focus();
    }
    showLatest();
  }

  // A new run in a new instance, its memory fresh as a new process's, on a
  // clean page: whatever a saved copy of the page holds is cleared too.
  function start() {
    exports = null;
    unread = new Uint8Array(0);
    waiting = false;
    group = null;
    block = null;
    output = null;
    log.replaceChildren();
    status.textContent = '';
    again.hidden = true;
    field.value = '';
    field.disabled = false;
    send.disabled = false;
    compiled
      .then((compiledModule) => WebAssembly.instantiate(compiledModule, { page: { read, write } }))
      .then((instance) => {
        exports = instance.exports;
        exports._initialize();
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
    echo(line);
    field.value = '';
    unread = encoder.encode(line);
    waiting = false;
    // The rewind calls run again, and asyncify re-enters each call that was on
    // the stack when the read unwound, skipping what each had already done,
    // down to the read, which is called again and now finds the line.
    exports.asyncify_start_rewind(exports.unwound_stack());
    runUntilWaiting();
  });
  // A tap on the button leaves the focus, and a phone's keyboard, in the field;
  // a second click on it once disabled leaves the focus on "Neu starten".
  form.addEventListener('mousedown', (event) => {
    if (event.target !== field) {
      event.preventDefault();
    }
  });

  again.addEventListener('click', () => {
    start();
    field.focus();
  });
  // A key held down when the program ended repeats onto "Neu starten": only a
  // key pressed afresh on it restarts.
  let freshKey = null;
  again.addEventListener('keydown', (event) => {
    if (event.repeat) {
      event.preventDefault();
    } else {
      freshKey = event.key;
    }
  });
  again.addEventListener('keyup', (event) => {
    if (event.key !== freshKey) {
      event.preventDefault();
    }
    freshKey = null;
  });

  // The log keeps its newest line in view when it gets shorter (a phone's
  // keyboard opens, the phone is turned), unless the person scrolled up.
  // The scroll event of showLatest's own scroll may come after the log got
  // shorter: only a scroll up from there means the person reads.
  log.addEventListener('scroll', () => {
    following = log.scrollTop >= latestTop - 1 || log.scrollTop + log.clientHeight >= log.scrollHeight - 1;
  });
  new ResizeObserver(() => {
    if (following) {
      showLatest();
    }
  }).observe(log);

  // Without this script only the message in <noscript> shows.
  log.hidden = false;
  form.hidden = false;
  start();
  field.focus();

  // Only the web app's page links a manifest: its worker keeps the app's own
  // files for use without the network. Where it cannot register (a page opened
  // as a file), the page works as before, online.
  if (document.querySelector('link[rel=manifest]') !== null && 'serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
