// The page's small desktop: a frame for every window of the box set, with a title bar holding its
// caption and a close button, dragged by its title bar, raised and made active by a click. The
// program draws each window's client area; the frames, the mouse and the notices are this file's.
mergeInto(LibraryManager.library, {
  $Desk: {
    frames: {}, // by window id: { frame, canvas, context, caption, placed }
    active: 0,
    topmost: 1,
    paused: false,
    pressed: {}, // by stage button (1 left, 2 right, 3 middle): the id of the window that took the press
    dragging: null,

    desktop: function() { return document.getElementById('desktop'); },

    // The browser numbers its buttons 0 left, 1 middle, 2 right; the stage 1, 3 and 2.
    stageButton: function(button) { return [1, 3, 2][button] || 0; },

    init: function() {
      if (Desk.ready) return;
      Desk.ready = true;
      document.addEventListener('mousemove', Desk.onMouseMove);
      document.addEventListener('mouseup', Desk.onMouseUp);
      Desk.desktop().addEventListener('contextmenu', function(event) { event.preventDefault(); });
      Desk.density = devicePixelRatio;
      Desk.watchDensity();
      addEventListener('resize', Desk.densityChanged);
    },

    // The pixel density changes when the player zooms the page (the browser then also resizes the
    // page, in page pixels) or takes the browser to a screen of another density (the browser then
    // says that the present density no longer matches). Either way the program paints every window
    // afresh at the new density.
    watchDensity: function() {
      matchMedia('(resolution: ' + Desk.density + 'dppx)').addEventListener('change', Desk.densityChanged, { once: true });
    },

    densityChanged: function() {
      if (devicePixelRatio === Desk.density) return;
      Desk.density = devicePixelRatio;
      Desk.watchDensity();
      _web_scale_changed();
    },

    raise: function(id) {
      var shown = Desk.frames[id];
      if (!shown) return;
      shown.frame.style.zIndex = ++Desk.topmost;
      for (var other in Desk.frames)
        Desk.frames[other].frame.classList.toggle('active', Number(other) === id);
      Desk.active = id;
    },

    // Where a window opens the first time it is shown: its client area where its design puts it,
    // or, for the others, the frame centred on the desktop; either way inside the desktop as far
    // as it fits, its title bar first.
    place: function(shown) {
      var area = Desk.desktop().getBoundingClientRect();
      var frame = shown.frame;
      var left, top;
      if (shown.selfPlaced) {
        left = shown.clientLeft - shown.canvas.offsetLeft;
        top = shown.clientTop - shown.canvas.offsetTop;
      } else {
        left = Math.round((area.width - frame.offsetWidth) / 2);
        top = Math.round((area.height - frame.offsetHeight) / 2);
      }
      left = Math.max(0, Math.min(left, area.width - frame.offsetWidth));
      top = Math.max(0, Math.min(top, area.height - frame.offsetHeight));
      frame.style.left = left + 'px';
      frame.style.top = top + 'px';
      shown.placed = true;
    },

    onMouseDown: function(id, event) {
      if (Desk.active !== id) {
        Desk.raise(id);
        _web_focus(id);
      } else {
        Desk.raise(id);
      }
    },

    onCanvasDown: function(id, event) {
      var button = Desk.stageButton(event.button);
      event.preventDefault();
      Desk.onMouseDown(id, event);
      if (!button || !Desk.frames[id]) return;
      Desk.pressed[button] = id;
      _web_mouse_down(id, event.offsetX | 0, event.offsetY | 0, button);
    },

    onMouseMove: function(event) {
      var drag = Desk.dragging;
      if (!drag) return;
      drag.frame.style.left = (drag.left + event.clientX - drag.x) + 'px';
      drag.frame.style.top = Math.max(0, drag.top + event.clientY - drag.y) + 'px';
    },

    // The release goes to the window that took the press, wherever the pointer is now.
    onMouseUp: function(event) {
      Desk.dragging = null;
      var button = Desk.stageButton(event.button);
      var id = Desk.pressed[button];
      if (!id) return;
      delete Desk.pressed[button];
      var shown = Desk.frames[id];
      if (!shown) return;
      var rect = shown.canvas.getBoundingClientRect();
      var x = Math.floor(event.clientX - rect.left);
      var y = Math.floor(event.clientY - rect.top);
      var over = document.elementFromPoint(event.clientX, event.clientY) === shown.canvas;
      _web_mouse_up(id, x, y, button, over);
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
  },

  page_open_window__deps: ['$Desk'],
  page_open_window: function(id, name, caption, width, height, canvasWidth, canvasHeight, selfPlaced,
                             clientLeft, clientTop) {
    Desk.init();
    var frame = document.createElement('div');
    frame.className = 'window';
    frame.id = 'window-' + id;
    frame.dataset.name = UTF8ToString(name);
    frame.hidden = true;
    var bar = document.createElement('div');
    bar.className = 'titlebar';
    var title = document.createElement('span');
    title.className = 'caption';
    var close = document.createElement('button');
    close.className = 'close';
    close.title = 'Close';
    close.setAttribute('aria-label', 'Close');
    close.textContent = '\u00d7';
    bar.append(title, close);
    var canvas = document.createElement('canvas');
    Desk.size(canvas, width, height, canvasWidth, canvasHeight);
    frame.append(bar, canvas);
    Desk.desktop().append(frame);

    var shown = { frame: frame, canvas: canvas, context: canvas.getContext('2d'), title: title,
                  caption: UTF8ToString(caption), selfPlaced: selfPlaced, clientLeft: clientLeft,
                  clientTop: clientTop, placed: false };
    title.textContent = Desk.caption(shown);
    Desk.frames[id] = shown;

    frame.addEventListener('mousedown', function(event) { Desk.onMouseDown(id, event); });
    canvas.addEventListener('mousedown', function(event) {
      event.stopPropagation();
      Desk.onCanvasDown(id, event);
    });
    bar.addEventListener('mousedown', function(event) {
      if (event.button !== 0 || event.target === close) return;
      event.preventDefault();
      Desk.dragging = { frame: frame, x: event.clientX, y: event.clientY,
                        left: frame.offsetLeft, top: frame.offsetTop };
    });
    close.addEventListener('click', function() { _web_close(id); });
  },

  page_close_window__deps: ['$Desk'],
  page_close_window: function(id) {
    var shown = Desk.frames[id];
    if (!shown) return;
    shown.frame.remove();
    delete Desk.frames[id];
    if (Desk.active === id) Desk.active = 0;
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
  },

  page_raise_window__deps: ['$Desk'],
  page_raise_window: function(id) { Desk.raise(id); },

  page_resize_window__deps: ['$Desk'],
  page_resize_window: function(id, width, height, canvasWidth, canvasHeight) {
    var shown = Desk.frames[id];
    if (shown) Desk.size(shown.canvas, width, height, canvasWidth, canvasHeight);
  },

  page_put_pixels__deps: ['$Desk'],
  page_put_pixels: function(id, x, y, width, height, rgba) {
    var shown = Desk.frames[id];
    if (!shown) return;
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    shown.context.putImageData(new ImageData(pixels, width, height), x, y);
  },

  page_show_paused__deps: ['$Desk'],
  page_show_paused: function(paused) {
    Desk.paused = !!paused;
    for (var id in Desk.frames)
      Desk.frames[id].title.textContent = Desk.caption(Desk.frames[id]);
  },

  page_show_ready: function() {
    if (Module.onReady) Module.onReady();
  },

  page_show_ended__deps: ['$Desk'],
  page_show_ended: function() {
    Desk.pressed = {};
    Desk.dragging = null;
    if (Module.onEnded) Module.onEnded();
  },

  page_show_failure__deps: ['$Desk'],
  page_show_failure: function(what) {
    Desk.pressed = {};
    Desk.dragging = null;
    if (Module.onFailure) Module.onFailure(UTF8ToString(what));
  },
});
