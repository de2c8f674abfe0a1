// The page's small desktop: a frame for every window of the box set, with a title bar holding its
// caption and a close button, dragged by its title bar (with the mouse or a finger), raised and
// made active by a click or by the keyboard's focus. The program draws each window's client area;
// the frames, the pointer, the focus and the notices are this file's.
//
// Each frame is a dialog named by its caption and takes the focus; while the focus is on a frame
// (not on one of the page's controls), the keys the box set uses go to that window and every other
// key stays the browser's. A polite live region says what changes for the whole box set.
//
// On a screen narrower than the box set's widest window the whole desktop is drawn smaller, at the
// scale that fits the screen's width, and painted at the screen's density times that scale; where
// the pointer is a finger, on-screen keys offer the keys of the active window.
mergeInto(LibraryManager.library, {
  $Desk: {
    frames: {}, // by window id: { frame, canvas, context, caption, title, close, placed }
    active: 0,
    topmost: 1,
    paused: false,
    pressed: {}, // by stage button (1 left, 2 right, 3 middle): the id of the window that took the press
    finger: null, // the finger that acts as the left button: { pointerId, id }
    dragging: null,
    reach: 100, // the width of a title bar that always stays on the page, in pixels
    widest: 792, // the widest window of the box set with its frame (the alien field), in pixels
    fit: 1, // the scale at which the whole desktop is drawn: less than 1 on a narrow screen
    repeat: null, // the on-screen key held down: { timer, code }

    desktop: function() { return document.getElementById('desktop'); },
    // The layer that holds the windows, drawn at the desktop's scale; its sizes and positions are in
    // pixels of the design.
    layer: function() { return document.getElementById('windows'); },
    width: function() { return Desk.desktop().clientWidth / Desk.fit; },
    height: function() { return Desk.desktop().clientHeight / Desk.fit; },

    // The scale that fits the desktop's width, applied to the layer of windows.
    // Where the pointer is a finger, the title bars and close buttons are drawn large enough for
    // one: a close button at least 44 pixels square on the screen, whatever the desktop's scale.
    fitWidth: function() {
      var fit = Math.min(1, Desk.desktop().clientWidth / Desk.widest);
      var layer = Desk.layer();
      layer.style.transform = fit < 1 ? 'scale(' + fit + ')' : '';
      var coarse = matchMedia('(pointer: coarse)').matches;
      layer.classList.toggle('coarse', coarse);
      layer.style.setProperty('--bar', coarse ? Math.max(22, Math.ceil(48 / fit)) + 'px' : '22px');
      var changed = fit !== Desk.fit;
      Desk.fit = fit;
      return changed;
    },

    // The browser numbers its buttons 0 left, 1 middle, 2 right; the stage 1, 3 and 2.
    stageButton: function(button) { return [1, 3, 2][button] || 0; },

    init: function() {
      if (Desk.ready) return;
      Desk.ready = true;
      document.addEventListener('keydown', Desk.onKeyDown);
      document.addEventListener('mouseup', Desk.onMouseUp);
      document.addEventListener('pointerup', Desk.onFingerUp);
      document.addEventListener('pointercancel', Desk.onFingerUp);
      Desk.desktop().addEventListener('contextmenu', function(event) { event.preventDefault(); });
      Desk.density = devicePixelRatio;
      Desk.watchDensity();
      addEventListener('resize', Desk.densityChanged);
      addEventListener('resize', Desk.keepAllReachable);
      addEventListener('resize', Desk.placePad);
      Desk.coarse = matchMedia('(pointer: coarse)');
      Desk.coarse.addEventListener('change', function() {
        Desk.fitWidth();
        Desk.keepAllReachable();
        Desk.showPad();
      });
      document.querySelectorAll('#pad [data-key]').forEach(function(button) {
        var code = Number(button.dataset.key);
        button.addEventListener('pointerdown', function(event) { Desk.onPadKeyDown(code, event); });
        button.addEventListener('pointerup', Desk.onPadKeyUp);
        button.addEventListener('pointercancel', Desk.onPadKeyUp);
        button.addEventListener('pointerleave', Desk.onPadKeyUp);
        // A click from the keyboard or a screen reader, which has no press of its own.
        button.addEventListener('click', function(event) { if (event.detail === 0) _web_key_down(code, 0, 0, 0); });
      });
    },

    // A key while the focus is on a window of the box set, and not on one of the page's controls:
    // the program takes the keys the box set uses, and the browser keeps its own use of the rest.
    onKeyDown: function(event) {
      var target = event.target;
      if (!target.closest || !target.closest('.window') || target.closest('button, a')) return;
      if (_web_key_down(event.keyCode, event.ctrlKey, event.altKey || event.metaKey, event.repeat))
        event.preventDefault();
    },

    // The pixel density changes when the player zooms the page (the browser then also resizes the
    // page, in page pixels) or takes the browser to a screen of another density (the browser then
    // says that the present density no longer matches). Either way the program paints every window
    // afresh at the new density.
    watchDensity: function() {
      matchMedia('(resolution: ' + Desk.density + 'dppx)').addEventListener('change', Desk.densityChanged, { once: true });
    },

    densityChanged: function() {
      var fitChanged = Desk.fitWidth();
      if (devicePixelRatio === Desk.density && !fitChanged) return;
      if (devicePixelRatio !== Desk.density) {
        Desk.density = devicePixelRatio;
        Desk.watchDensity();
      }
      _web_scale_changed();
    },

    raise: function(id) {
      var shown = Desk.frames[id];
      if (!shown) return;
      shown.frame.style.zIndex = ++Desk.topmost;
      for (var other in Desk.frames)
        Desk.frames[other].frame.classList.toggle('active', Number(other) === id);
      Desk.active = id;
      Desk.showPad();
    },

    // The player's click or focus went to a window: it comes to the front, and the program hears
    // that it has the keyboard.
    choose: function(id) {
      var changed = Desk.active !== id;
      Desk.raise(id);
      if (changed) _web_focus(id);
    },

    // Where a window opens the first time it is shown: its client area where its design puts it,
    // or, for the others, the frame centred on the desktop; either way inside the desktop as far
    // as it fits, its title bar first.
    place: function(shown) {
      var width = Desk.width(), height = Desk.height();
      var frame = shown.frame;
      var left, top;
      if (shown.selfPlaced) {
        left = shown.clientLeft - shown.canvas.offsetLeft;
        top = shown.clientTop - shown.canvas.offsetTop;
      } else {
        left = Math.round((width - frame.offsetWidth) / 2);
        top = Math.round((height - frame.offsetHeight) / 2);
      }
      left = Math.max(0, Math.min(left, width - frame.offsetWidth));
      top = Math.max(0, Math.min(top, height - frame.offsetHeight));
      frame.style.left = left + 'px';
      frame.style.top = top + 'px';
      shown.placed = true;
    },

    // A window can be dragged partly off the page but never out of reach: its title bar's height
    // and `reach` pixels of its width stay on the desktop.
    keepReachable: function(frame, left, top) {
      var bar = frame.firstChild.offsetHeight;
      var reach = Desk.reach / Desk.fit;
      left = Math.min(Math.max(left, reach - frame.offsetWidth), Desk.width() - reach);
      top = Math.min(Math.max(top, 0), Desk.height() - bar);
      frame.style.left = Math.round(left) + 'px';
      frame.style.top = Math.round(Math.max(0, top)) + 'px';
    },

    keepAllReachable: function() {
      for (var id in Desk.frames) {
        var frame = Desk.frames[id].frame;
        if (!frame.hidden) Desk.keepReachable(frame, frame.offsetLeft, frame.offsetTop);
      }
    },

    // A press of the mouse anywhere on a window's frame gives it the focus, unless it is on the
    // close button, which takes the focus itself.
    onFrameDown: function(id, event) {
      var shown = Desk.frames[id];
      if (!shown) return;
      if (event.target !== shown.close) shown.frame.focus({ preventScroll: true });
      Desk.choose(id);
    },

    onCanvasDown: function(id, event) {
      var button = Desk.stageButton(event.button);
      event.preventDefault();
      Desk.onFrameDown(id, event);
      if (!button || !Desk.frames[id]) return;
      Desk.pressed[button] = id;
      var at = Desk.pointOn(Desk.frames[id].canvas, event.clientX, event.clientY);
      _web_mouse_down(id, at.x, at.y, button);
    },

    // A point of the page on a window's canvas, in pixels of the design.
    pointOn: function(canvas, clientX, clientY) {
      var rect = canvas.getBoundingClientRect();
      return { x: Math.floor((clientX - rect.left) / Desk.fit), y: Math.floor((clientY - rect.top) / Desk.fit) };
    },

    // The release goes to the window that took the press, wherever the pointer is now.
    onMouseUp: function(event) {
      Desk.release(Desk.stageButton(event.button), event.clientX, event.clientY);
    },

    release: function(button, clientX, clientY, cancelled) {
      var id = Desk.pressed[button];
      if (!id) return;
      delete Desk.pressed[button];
      var shown = Desk.frames[id];
      if (!shown) return;
      var at = Desk.pointOn(shown.canvas, clientX, clientY);
      var over = !cancelled && document.elementFromPoint(clientX, clientY) === shown.canvas;
      _web_mouse_up(id, at.x, at.y, button, over);
    },

    // A finger (or a pen) on a window's picture is the left mouse button: pressed while it
    // touches, released when it lifts. Only the first finger counts; the mouse has its own events,
    // which the browser then does not make up from the touch.
    onFingerDown: function(id, event) {
      if (event.pointerType === 'mouse') return;
      event.preventDefault();
      if (!event.isPrimary || Desk.finger || Desk.pressed[1]) return;
      Desk.finger = { pointerId: event.pointerId, id: id };
      Desk.onCanvasDown(id, { button: 0, target: event.target, clientX: event.clientX, clientY: event.clientY,
                              preventDefault: function() {} });
    },

    onFingerUp: function(event) {
      var finger = Desk.finger;
      if (!finger || finger.pointerId !== event.pointerId) return;
      Desk.finger = null;
      Desk.release(1, event.clientX, event.clientY, event.type === 'pointercancel');
    },

    // A title bar drags its window, by the mouse's left button or by a finger.
    onBarDown: function(id, event) {
      var shown = Desk.frames[id];
      if (!shown || event.button !== 0 || event.target === shown.close) return;
      event.preventDefault();
      Desk.onFrameDown(id, event);
      var bar = event.currentTarget;
      bar.setPointerCapture(event.pointerId);
      Desk.dragging = { pointerId: event.pointerId, frame: shown.frame, x: event.clientX, y: event.clientY,
                        left: shown.frame.offsetLeft, top: shown.frame.offsetTop };
    },

    onBarMove: function(event) {
      var drag = Desk.dragging;
      if (!drag || drag.pointerId !== event.pointerId) return;
      Desk.keepReachable(drag.frame, drag.left + (event.clientX - drag.x) / Desk.fit,
                         drag.top + (event.clientY - drag.y) / Desk.fit);
    },

    onBarUp: function(event) {
      if (Desk.dragging && Desk.dragging.pointerId === event.pointerId) Desk.dragging = null;
    },

    // A window's client area takes its size on the page; its canvas holds the pixels the
    // program paints for it, as many as the screen has there.
    size: function(canvas, width, height, canvasWidth, canvasHeight) {
      canvas.width = canvasWidth;
      canvas.height = canvasHeight;
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
    },

    caption: function(shown) { return shown.caption + (Desk.paused ? ' (paused)' : ''); },

    // The caption, where the page shows it and where a screen reader hears it.
    name: function(shown) {
      var caption = Desk.caption(shown);
      shown.title.textContent = caption;
      shown.frame.setAttribute('aria-label', caption);
      shown.canvas.setAttribute('aria-label', 'Picture of ' + shown.caption);
      shown.close.setAttribute('aria-label', 'Close ' + shown.caption);
      shown.close.title = 'Close ' + shown.caption;
    },

    // Says a change of the whole box set to a screen reader, politely.
    say: function(text) {
      var said = document.getElementById('said');
      if (said) said.textContent = text;
    },

    // The page's buttons for a setting, in the footer and among the on-screen keys, show it.
    showPressed: function(setting, pressed) {
      document.querySelectorAll('[data-setting="' + setting + '"]').forEach(function(button) {
        button.setAttribute('aria-pressed', pressed ? 'true' : 'false');
      });
    },

    // The on-screen keys: shown while the pointer is a finger and the active window acts on keys,
    // with the keys it acts on.
    showPad: function() {
      var pad = document.getElementById('pad');
      if (!pad || !Desk.coarse) return;
      var shown = Desk.frames[Desk.active];
      var keys = shown && !shown.frame.hidden && Desk.coarse.matches ? shown.keys : [];
      pad.querySelectorAll('[data-key]').forEach(function(button) {
        button.hidden = keys.indexOf(Number(button.dataset.key)) < 0;
      });
      pad.hidden = keys.length === 0;
      if (!pad.hidden) Desk.placePad();
    },

    // The keys stand clear of the active window where the screen allows: along the foot of the
    // desktop, else its head, else beside the window; where all of these cover it, wherever they
    // cover the least of it.
    placePad: function() {
      var pad = document.getElementById('pad');
      var shown = Desk.frames[Desk.active];
      if (!pad || pad.hidden || !shown) return;
      var area = Desk.desktop().getBoundingClientRect();
      var window = shown.frame.getBoundingClientRect();
      var width = pad.offsetWidth, height = pad.offsetHeight, margin = 8;
      var centre = area.left + (area.width - width) / 2;
      var middle = area.top + (area.height - height) / 2;
      var places = [[centre, area.bottom - height - margin], [centre, area.top + margin],
                    [area.right - width - margin, middle], [area.left + margin, middle]];
      var covered = function(place) {
        var across = Math.min(place[0] + width, window.right) - Math.max(place[0], window.left);
        var down = Math.min(place[1] + height, window.bottom) - Math.max(place[1], window.top);
        return Math.max(0, across) * Math.max(0, down);
      };
      var best = places.reduce(function(best, place) { return covered(place) < covered(best) ? place : best; });
      pad.style.left = Math.max(area.left, best[0]) + 'px';
      pad.style.top = Math.max(area.top, best[1]) + 'px';
    },

    // An on-screen key is a key of the keyboard: pressed once, then repeated while held, as the
    // desktop's auto-repeat does.
    onPadKeyDown: function(code, event) {
      event.preventDefault();
      Desk.onPadKeyUp();
      _web_key_down(code, 0, 0, 0);
      Desk.repeat = { timer: setTimeout(function again() {
        _web_key_down(code, 0, 0, 1);
        Desk.repeat.timer = setTimeout(again, 33);
      }, 500) };
    },

    onPadKeyUp: function() {
      if (Desk.repeat) clearTimeout(Desk.repeat.timer);
      Desk.repeat = null;
    },
  },

  page_open_window__deps: ['$Desk'],
  page_open_window: function(id, name, caption, width, height, canvasWidth, canvasHeight, selfPlaced,
                             clientLeft, clientTop, keys) {
    Desk.init();
    var frame = document.createElement('div');
    frame.className = 'window';
    frame.id = 'window-' + id;
    frame.dataset.name = UTF8ToString(name);
    frame.setAttribute('role', 'dialog');
    frame.tabIndex = 0;
    frame.hidden = true;
    var bar = document.createElement('div');
    bar.className = 'titlebar';
    var title = document.createElement('span');
    title.className = 'caption';
    var close = document.createElement('button');
    close.className = 'close';
    close.type = 'button';
    close.textContent = '\u00d7';
    bar.append(title, close);
    var canvas = document.createElement('canvas');
    canvas.setAttribute('role', 'img');
    Desk.size(canvas, width, height, canvasWidth, canvasHeight);
    frame.append(bar, canvas);
    Desk.layer().append(frame);

    // The program puts only what changed in a tick; a desynchronized canvas shows it as it is put,
    // where an ordinary one has the page paint its window afresh for each frame.
    var context = canvas.getContext('2d', { desynchronized: true });
    var shown = { frame: frame, canvas: canvas, context: context, title: title, close: close,
                  caption: UTF8ToString(caption), selfPlaced: selfPlaced, clientLeft: clientLeft,
                  clientTop: clientTop, placed: false,
                  keys: UTF8ToString(keys).split(' ').filter(Boolean).map(Number) };
    Desk.name(shown);
    Desk.frames[id] = shown;

    frame.addEventListener('mousedown', function(event) { Desk.onFrameDown(id, event); });
    frame.addEventListener('focusin', function() { Desk.choose(id); });
    canvas.addEventListener('mousedown', function(event) {
      event.stopPropagation();
      Desk.onCanvasDown(id, event);
    });
    canvas.addEventListener('pointerdown', function(event) { Desk.onFingerDown(id, event); });
    bar.addEventListener('pointerdown', function(event) { Desk.onBarDown(id, event); });
    bar.addEventListener('pointermove', Desk.onBarMove);
    bar.addEventListener('pointerup', Desk.onBarUp);
    bar.addEventListener('pointercancel', Desk.onBarUp);
    close.addEventListener('click', function() { _web_close(id); });
  },

  page_close_window__deps: ['$Desk'],
  page_close_window: function(id) {
    var shown = Desk.frames[id];
    if (!shown) return;
    shown.frame.remove();
    delete Desk.frames[id];
    if (Desk.active === id) Desk.active = 0;
    Desk.showPad();
  },

  page_show_window__deps: ['$Desk'],
  page_show_window: function(id) {
    var shown = Desk.frames[id];
    if (!shown) return;
    shown.frame.hidden = false;
    if (!shown.placed) Desk.place(shown);
  },

  page_hide_window__deps: ['$Desk'],
  page_hide_window: function(id) {
    var shown = Desk.frames[id];
    if (shown) shown.frame.hidden = true;
    Desk.showPad();
  },

  // The program made a window active: it comes to the front and takes the focus, unless the
  // player has it on one of the page's own controls.
  page_raise_window__deps: ['$Desk'],
  page_raise_window: function(id) {
    Desk.raise(id);
    var shown = Desk.frames[id];
    var focused = document.activeElement;
    var onDesktop = !focused || focused === document.body || Desk.desktop().contains(focused);
    if (shown && !shown.frame.hidden && onDesktop && !shown.frame.contains(focused))
      shown.frame.focus({ preventScroll: true });
  },

  page_resize_window__deps: ['$Desk'],
  page_resize_window: function(id, width, height, canvasWidth, canvasHeight) {
    var shown = Desk.frames[id];
    if (shown) Desk.size(shown.canvas, width, height, canvasWidth, canvasHeight);
  },

  page_density__deps: ['$Desk'],
  page_density: function() {
    Desk.fitWidth();
    return devicePixelRatio * Desk.fit;
  },

  // One view of the window's whole picture in the program's memory serves every put; it is made
  // again when the memory has grown (which empties the old view) or the picture moved or changed size.
  page_put_pixels__deps: ['$Desk'],
  page_put_pixels: function(id, rgba, width, height, areas, count) {
    var shown = Desk.frames[id];
    if (!shown) return;
    var picture = shown.picture;
    if (!picture || picture.data.buffer !== HEAPU8.buffer || shown.pictureAt !== rgba
        || picture.width !== width || picture.height !== height) {
      picture = shown.picture = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      shown.pictureAt = rgba;
    }
    for (var at = areas >> 2, end = at + count * 4; at < end; at += 4)
      shown.context.putImageData(picture, 0, 0, HEAP32[at], HEAP32[at + 1], HEAP32[at + 2], HEAP32[at + 3]);
  },

  page_show_paused__deps: ['$Desk'],
  page_show_paused: function(paused) {
    paused = !!paused;
    var changed = Desk.paused !== paused;
    Desk.paused = paused;
    for (var id in Desk.frames)
      Desk.name(Desk.frames[id]);
    Desk.showPressed('pause', paused);
    if (changed) Desk.say(paused ? 'The box set is paused.' : 'The box set plays on.');
  },

  page_show_muted__deps: ['$Desk'],
  page_show_muted: function(muted) {
    muted = !!muted;
    var changed = Desk.muted !== undefined && Desk.muted !== muted;
    Desk.muted = muted;
    Desk.showPressed('sound', !muted);
    if (changed) Desk.say(muted ? 'Sound is off.' : 'Sound is on.');
  },

  page_show_ready: function() {
    if (Module.onReady) Module.onReady();
  },

  page_show_ended__deps: ['$Desk'],
  page_show_ended: function() {
    Desk.pressed = {};
    Desk.finger = null;
    Desk.dragging = null;
    Desk.say('The box set has ended.');
    if (Module.onEnded) Module.onEnded();
  },

  page_show_failure__deps: ['$Desk'],
  page_show_failure: function(what) {
    Desk.pressed = {};
    Desk.finger = null;
    Desk.dragging = null;
    if (Module.onFailure) Module.onFailure(UTF8ToString(what));
  },
});
