// The crossword pages, frames and single page, as a student uses them: by
// mouse, keyboard alone and touch, from disk and from a web server.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { chromium } from 'playwright-core';
import { chromiumArgs, frameNamed, repoRoot, screenshot, servePages, startBrowser, watchConsole } from './helpers.mjs';
import { box, cwTexts, demo, exportCrossword, focusedName, typeWord, wordText } from './crossword-helpers.mjs';

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

// The frames version: the page and its crossword frame.
async function openFrames(options = {}) {
  const exported = exportCrossword(options);
  const page = await browser.newPage();
  const problems = watchConsole(page);
  await page.goto(exported.url);
  const code = await frameNamed(page, 'CodeFrame');
  return { page, code, problems, exported };
}

async function openSingle(options = {}) {
  const exported = exportCrossword({ mode: 'single', ...options });
  const page = await browser.newPage();
  const problems = watchConsole(page);
  await page.goto(exported.url);
  return { page, code: page.mainFrame(), problems, exported };
}

const status = (frame) => frame.locator('[role=status]').first();
const clueState = (frame, list, num) => frame.locator(`#${list} li[data-n="${num}"]`).getAttribute('data-state');

describe('crossword, frames', () => {
  test('right and wrong letters: a wrong letter in a shared square shows in both words, the right words are named', async () => {
    const { page, code, problems } = await openFrames();
    // Letter case does not matter; accents do.
    await typeWord(code, 1, 'across', 'cafe');
    assert.equal(await wordText(code, 1, 'across', 4), 'CAFE');
    await typeWord(code, 1, 'down', 'c\u0153ur');
    await typeWord(code, 3, 'across', 'ruas');
    await code.getByRole('button', { name: cwTexts.editCheck }).click();

    const shared = box(code, 2, 'down', 1);
    assert.equal(await shared.getAttribute('aria-invalid'), 'true');
    assert.equal(await clueState(code, 'AcrossList', 1), 'wrong');
    assert.equal(await clueState(code, 'DownList', 2), 'wrong');
    assert.equal(await clueState(code, 'DownList', 1), 'right');
    assert.equal(await clueState(code, 'AcrossList', 3), 'right');
    const said = await status(code).innerText();
    assert.match(said, new RegExp(`^${cwTexts.editIncorrect}`));
    assert.match(said, /\u2713 3 across, 1 down$/);
    assert.equal((await code.locator('#Score').innerText()).trim(), '\u2713 2 / 6');

    // Putting the accent right clears the mark; every word right.
    await box(code, 1, 'across', 4).click();
    await page.keyboard.type('\u00e9');
    assert.equal(await shared.getAttribute('aria-invalid'), null);
    await typeWord(code, 2, 'down', '\u00e9t\u00e9s');
    await typeWord(code, 4, 'down', 'a\u00f1o');
    await typeWord(code, 5, 'across', 'NI\u00d1O');
    await code.getByRole('button', { name: cwTexts.editCheck }).click();
    assert.equal((await status(code).innerText()).trim(), cwTexts.editCorrect);
    assert.equal((await code.locator('#Score').innerText()).trim(), '\u2713 6 / 6');
    assert.equal(await code.locator('[aria-invalid=true]').count(), 0);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('hint puts in the next correct letter of the current word', async () => {
    const { page, code, problems } = await openFrames();
    await typeWord(code, 3, 'across', 'rx');
    await code.getByRole('button', { name: cwTexts.editHint }).click();
    assert.equal(await wordText(code, 3, 'across', 4), 'RU');
    assert.equal((await status(code).innerText()).trim(), cwTexts.editNextCorrect);
    assert.match(await focusedName(code), /^3 across, letter 3 of 4/);
    // A word already right passes the hint on to the next word.
    await code.getByRole('button', { name: cwTexts.editHint }).click();
    await code.getByRole('button', { name: cwTexts.editHint }).click();
    await code.getByRole('button', { name: cwTexts.editHint }).click();
    assert.equal(await wordText(code, 3, 'across', 4), 'RUAS');
    assert.equal(await wordText(code, 5, 'across', 4), 'N');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('clue display, names of the squares and moving about', async () => {
    const { page, code, problems } = await openFrames();
    const clueLine = code.locator('#CurrentClue');
    assert.equal(await clueLine.getAttribute('aria-live'), 'polite');
    assert.equal((await clueLine.innerText()).trim(), '1 across A place for coffee, in Paris');

    await code.locator('#DownList li', { hasText: 'Year, in Madrid' }).click();
    assert.equal((await clueLine.innerText()).trim(), '4 down Year, in Madrid');
    assert.equal(await focusedName(code), '4 down, letter 1 of 3; 3 across, letter 3 of 4');
    assert.equal(await code.locator('#DownList li[aria-current=true]').getAttribute('data-n'), '4');

    // Arrows go to the neighbouring square and turn to its word; blank
    // squares are passed over.
    await page.keyboard.press('ArrowRight');
    assert.match(await focusedName(code), /^3 across, letter 4 of 4; 2 down, letter 4 of 4$/);
    await page.keyboard.press('ArrowUp');
    assert.match(await focusedName(code), /^2 down, letter 3 of 4/);
    assert.equal((await clueLine.innerText()).trim(), '2 down Summers, in Paris');
    await page.keyboard.press('ArrowLeft');
    assert.match(await focusedName(code), /^1 down, letter 3 of 4/);
    // A square's letter is selected when it gets the focus, so a new letter replaces it.
    await page.keyboard.type('z');
    await box(code, 1, 'down', 3).click();
    assert.deepEqual(await code.evaluate(() => [document.activeElement.selectionStart, document.activeElement.selectionEnd]), [0, 1]);
    await page.keyboard.type('u');
    assert.equal(await box(code, 1, 'down', 3).inputValue(), 'U');
    // A second click on a square turns to its other word.
    await box(code, 3, 'across', 1).click();
    const first = await focusedName(code);
    await box(code, 3, 'across', 1).click();
    assert.notEqual(await focusedName(code), first);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('keyboard alone: Tab into the grid, type, Backspace, Tab from word to word and out', async () => {
    const { page, code, problems } = await openFrames();
    let inGrid = false;
    for (let i = 0; i < 20 && !inGrid; i++) {
      await page.keyboard.press('Tab');
      inGrid = /across|down/.test(await focusedName(code));
    }
    assert.ok(inGrid, 'Tab reaches the grid');
    assert.match(await focusedName(code), /^1 across, letter 1 of 4/);
    await page.keyboard.type('cax');
    await page.keyboard.press('Backspace');
    assert.equal(await wordText(code, 1, 'across', 4), 'CA');
    assert.match(await focusedName(code), /^1 across, letter 3 of 4/);
    await page.keyboard.type('f\u00e9');
    const order = [[3, 'across', 'ruas'], [5, 'across', 'ni\u00f1o'], [1, 'down', 'c\u0153ur'],
      [2, 'down', '\u00e9t\u00e9s'], [4, 'down', 'a\u00f1o']];
    for (const [num, dir, text] of order) {
      await page.keyboard.press('Tab');
      assert.match(await focusedName(code), new RegExp(`^${num} ${dir}, letter \\d`));
      // Tab goes to the first empty square of the word.
      const at = Number((await focusedName(code)).match(/letter (\d+)/)[1]);
      assert.equal(await code.evaluate(() => document.activeElement.value), '');
      await page.keyboard.type(Array.from(text).slice(at - 1).join(''));
    }
    // Words that shared squares were filled in part by the words before.
    assert.equal(await wordText(code, 1, 'down', 4), 'C\u0152UR');
    assert.equal(await wordText(code, 4, 'down', 3), 'A\u00d1O');
    await page.keyboard.press('Tab');
    assert.equal(await code.evaluate(() => document.activeElement.value), cwTexts.editCheck);
    await page.keyboard.press('Enter');
    assert.equal((await status(code).innerText()).trim(), cwTexts.editCorrect);
    // Shift+Tab comes back into the grid at the last word, and goes back word by word.
    await page.keyboard.press('Shift+Tab');
    assert.match(await focusedName(code), /^4 down/);
    await page.keyboard.press('Shift+Tab');
    assert.match(await focusedName(code), /^2 down/);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('digits, sharp s and signs that mean something in code, pasted (with characters that show nothing) and typed; Cyrillic in clue and title', async () => {
    const signs = 'A\'\\&["';
    const { page, code, problems } = await openFrames({
      rows: ['R2D2', '.0', '.2', '.4', '', 'STRA\u00dfE', '', signs],
      clues: { R2D2: 'A small robot, \u0440\u043e\u0431\u043e\u0442', 2024: 'A year', 'STRA\u00dfE': 'A street, in Berlin', [signs]: 'Signs' },
      title: 'Digits, \u0446\u0438\u0444\u0440\u044b',
    });
    // Clue and title letters outside Windows-1252 reach the page as letters.
    assert.equal(await code.locator('h1').innerText(), 'Digits, \u0446\u0438\u0444\u0440\u044b');
    assert.equal(await page.title(), 'Digits, \u0446\u0438\u0444\u0440\u044b');
    assert.equal((await code.locator('#CurrentClue').innerText()).trim(), '1 across A small robot, \u0440\u043e\u0431\u043e\u0442');
    await typeWord(code, 1, 'across', 'r2d2');
    await typeWord(code, 2, 'down', '2024');
    await typeWord(code, 4, 'across', signs.toLowerCase());
    assert.equal(await wordText(code, 4, 'across', 6), signs);
    await box(code, 3, 'across', 1).click();
    await code.evaluate(() => {
      const el = document.activeElement;
      el.value = '\u200fstra\u00ad\u00dfe\u200b';
      el.dispatchEvent(new InputEvent('input', { inputType: 'insertFromPaste', bubbles: true }));
    });
    assert.equal(await wordText(code, 3, 'across', 6), 'STRA\u00dfE');
    await code.getByRole('button', { name: cwTexts.editCheck }).click();
    assert.equal((await status(code).innerText()).trim(), cwTexts.editCorrect);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('the help button shows the help in the welcome frame', async () => {
    const { page, code, problems, exported } = await openFrames();
    await code.getByRole('button', { name: 'Help' }).click();
    const welcome = page.frame({ name: 'FeedbackFrame' });
    for (let i = 0; i < 50 && !welcome.url().endsWith('#help'); i++) await page.waitForTimeout(50);
    assert.match(welcome.url(), /puzzlew\.htm#help$/);
    await welcome.locator('#help').waitFor();
    assert.ok(await welcome.locator('#help').isVisible());
    // The crossword page opened by itself shows the help in a window of its own.
    await page.goto(exported.url.replace(/puzzle\.htm$/, 'puzzlec.htm'));
    const opened = page.waitForEvent('popup');
    await page.getByRole('button', { name: 'Help' }).click();
    const help = await opened;
    await help.waitForLoadState();
    assert.match(help.url(), /puzzlew\.htm#help$/);
    await help.close();
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('screenshots at 1280 and 360 pixels', async () => {
    const { page, code, problems } = await openFrames();
    await typeWord(code, 1, 'across', 'cafx');
    await typeWord(code, 1, 'down', 'c\u0153ur');
    await code.getByRole('button', { name: cwTexts.editCheck }).click();
    await box(code, 3, 'across', 2).click();
    await screenshot(page, 'crossword-frames-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    assert.notEqual(await page.evaluate(() => document.querySelector('frameset').getAttribute('rows')), '*',
      'the frames are stacked on a narrow screen');
    assert.equal(await code.evaluate(() => document.documentElement.scrollWidth > window.innerWidth + 1), false);
    await screenshot(page, 'crossword-frames-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('crossword, single page', () => {
  test('check opens a dialog that takes the focus, closes with Escape and gives the focus back', async () => {
    const { page, code, problems } = await openSingle();
    await typeWord(code, 1, 'across', 'caf\u00e9');
    await typeWord(code, 5, 'across', 'nino');
    await page.keyboard.press('Enter');
    const dialog = page.getByRole('dialog');
    await dialog.waitFor();
    assert.match(await dialog.innerText(), new RegExp(`^${cwTexts.editIncorrect}\\s+\u2713 1 across`));
    assert.equal(await page.evaluate(() => document.activeElement.id), 'PopupOK');
    await page.keyboard.press('Escape');
    await dialog.waitFor({ state: 'hidden' });
    assert.match(await focusedName(code), /^5 across, letter 4 of 4/);
    assert.equal(await box(code, 5, 'across', 3).getAttribute('aria-invalid'), 'true');
    assert.equal(await clueState(code, 'AcrossList', 5), 'wrong');
    assert.equal(await clueState(code, 'AcrossList', 1), 'right');

    await box(code, 5, 'across', 3).click();
    await page.getByRole('button', { name: cwTexts.editHint }).click();
    assert.equal(await wordText(code, 5, 'across', 4), 'NI\u00d1O');
    assert.equal((await status(code).innerText()).trim(), cwTexts.editNextCorrect);
    await page.getByRole('button', { name: cwTexts.editCheck }).click();
    await dialog.waitFor();
    await page.getByRole('button', { name: 'OK' }).click();
    await dialog.waitFor({ state: 'hidden' });
    assert.equal(await page.evaluate(() => document.activeElement.id), 'CheckButton');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('a crossword one column wide works', async () => {
    const { page, code, problems } = await openSingle({ rows: ['O', 'N', 'E'], clues: { ONE: 'A number' }, title: 'One' });
    await typeWord(code, 1, 'down', 'one');
    await page.getByRole('button', { name: cwTexts.editCheck }).click();
    assert.match(await page.getByRole('dialog').innerText(), new RegExp(`^${cwTexts.editCorrect}`));
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('screenshots at 1280 and 360 pixels', async () => {
    const { page, code, problems } = await openSingle();
    await typeWord(code, 1, 'down', 'c\u0153ur');
    await box(code, 2, 'down', 2).click();
    await screenshot(page, 'crossword-single-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth > window.innerWidth + 1), false);
    await screenshot(page, 'crossword-single-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('crossword, letters outside Windows-1252 in the grid', () => {
  test('L with stroke, Ya and Sigma are checked as letters, typed in either case, on both pages', async () => {
    const rows = ['\u0141\u00d3D\u0179', '\u042f...', '\u03a3...'];
    const clues = { '\u0141\u00d3D\u0179': 'A city', '\u0141\u042f\u03a3': 'Three letters' };
    for (const open of [openFrames, openSingle]) {
      const { page, code, problems } = await open({ rows, clues, title: 'Letters' });
      await typeWord(code, 1, 'across', '\u0142\u00f3d\u017a');
      await typeWord(code, 1, 'down', '\u0141\u044f\u03c2');
      assert.equal(await wordText(code, 1, 'across', 4), '\u0141\u00d3D\u0179');
      assert.equal(await wordText(code, 1, 'down', 3), '\u0141\u042f\u03a3');
      await code.getByRole('button', { name: cwTexts.editCheck }).click();
      assert.equal(await code.locator('[aria-invalid=true]').count(), 0);
      const said = open === openFrames ? status(code) : page.getByRole('dialog');
      assert.match(await said.innerText(), new RegExp(`^${cwTexts.editCorrect}`));
      assert.deepEqual(problems, []);
      await page.close();
    }
  });
});

describe('crossword, every variant of the pages', () => {
  // Placeholder and section words the crossword templates are filled through.
  const leftOver = new RegExp(String.raw`\[/?(?:str[A-Za-z]+|incl[A-Za-z]+|Start[A-Za-z]+|End[A-Za-z]+|Grid|GridMap|Clues?|ClueNumber|` +
    String.raw`CellNumber|LetterNumber|Cells|WinLettersArray|Clues(?:Across|Down)Loop|[AD]Clues|WelcomeFileName|CodeFileName|` +
    String.raw`HelpButton|HelpCaption|CheckButton|HintButton|TopNextExButton|NextExButton|ContentsButton|BackButton)\]`);
  const on = { chkIncludeHint: 1, chkIncludeHelp: 1, chkKeyNavigation: 1, chkIncludeNextEx: 1, chkIncludeContents: 1, chkIncludeBack: 1 };
  const off = Object.fromEntries(Object.keys(on).map((k) => [k, 0]));
  const captions = { editNextEx: 'Next', editNextExURL: 'next.htm', editContents: 'Contents', editContentsURL: 'index.htm', editBack: 'Back' };

  test('no placeholder or section word is left, each page loads cleanly and checks, with or without a check caption', async () => {
    for (const mode of ['frames', 'single']) {
      for (const switches of [on, off]) {
        // With everything off the check caption is empty too: the button shows a tick.
        const checkName = switches === on ? cwTexts.editCheck : '\u2713';
        const exported = exportCrossword({ mode, switches, texts: switches === on ? captions : { ...captions, editCheck: '' } });
        for (const file of exported.written) {
          const text = readFileSync(file, 'latin1');
          assert.doesNotMatch(text, leftOver, `${basename(file)} (${mode}, ${switches === on ? 'all on' : 'all off'})`);
        }
        const page = await browser.newPage();
        const problems = watchConsole(page);
        await page.goto(exported.url);
        const code = mode === 'single' ? page.mainFrame() : await frameNamed(page, 'CodeFrame');
        assert.equal(await code.getByRole('button', { name: cwTexts.editHint }).count(), switches === on ? 1 : 0);
        assert.equal(await code.getByRole('button', { name: 'Next' }).count(), switches === on ? (mode === 'single' ? 1 : 2) : 0);
        await typeWord(code, 3, 'across', 'ruas');
        await code.getByRole('button', { name: checkName, exact: true }).click();
        assert.match(await status(code).innerText(), /\u2713 3 across$/);
        assert.deepEqual(problems, []);
        await page.close();
      }
    }
  });
});

describe('crossword, the supplied examples', () => {
  test('each example, either file format, is solved by its hints and then checks right', async () => {
    for (const [file, mode] of [['planets.gdl', 'frames'], ['fruit-oldformat.gdl', 'single']]) {
      const { page, code, problems } = await (mode === 'single' ? openSingle : openFrames)({ gdl: join(repoRoot, 'examples', file) });
      const squares = await code.locator('input.box').count();
      assert.ok(squares > 0, `${file} has letter squares`);
      for (let i = 0; i < squares; i++) await code.getByRole('button', { name: cwTexts.editHint }).click();
      await code.getByRole('button', { name: cwTexts.editCheck }).click();
      assert.equal((await status(code).innerText()).trim(), cwTexts.editCorrect, file);
      await screenshot(page, `crossword-example-${mode}-1280.png`);
      assert.deepEqual(problems, []);
      await page.close();
    }
  });
});

describe('crossword on a phone', () => {
  test('360 pixels wide with touch: squares and buttons big enough, the grid scrolls, typing works', async () => {
    const phone = await chromium.launch({ executablePath: '/usr/bin/chromium', args: chromiumArgs });
    try {
      const context = await phone.newContext({ viewport: { width: 360, height: 740 }, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
      for (const mode of ['single', 'frames']) {
        const page = await context.newPage();
        const problems = watchConsole(page);
        // A wide grid: fifteen columns do not fit at 24 pixels.
        const exported = exportCrossword({
          mode,
          rows: ['ABCDEFGHIJKLMNO', 'B..............', 'C..............'],
          clues: { ABCDEFGHIJKLMNO: 'The first fifteen letters', ABC: 'The first three' },
          title: 'Alphabet',
        });
        await page.goto(exported.url);
        const code = mode === 'single' ? page.mainFrame() : await frameNamed(page, 'CodeFrame');
        await box(code, 1, 'across', 1).tap();
        assert.match(await focusedName(code), /^1 across, letter 1 of 15/);
        await page.keyboard.type('abc');
        assert.equal(await wordText(code, 1, 'across', 3), 'ABC');
        const sizes = await code.evaluate(() => {
          const boxes = Array.from(document.querySelectorAll('input.box'));
          const wrap = document.getElementById('GridHolder');
          return {
            smallest: Math.min(...boxes.map((b) => Math.min(b.getBoundingClientRect().width, b.getBoundingClientRect().height))),
            font: Math.min(...boxes.map((b) => parseFloat(getComputedStyle(b).fontSize))),
            buttons: Math.min(...Array.from(document.querySelectorAll('.actions button, .actions input')).map((b) => b.getBoundingClientRect().height)),
            pageOverflow: document.documentElement.scrollWidth > window.innerWidth + 1,
            gridScrolls: wrap.scrollWidth > wrap.clientWidth,
          };
        });
        assert.ok(sizes.smallest >= 24, `squares at least 24 pixels (${sizes.smallest})`);
        assert.ok(sizes.font >= 16, `letters at least 16 pixels (${sizes.font})`);
        assert.ok(sizes.buttons >= 44, `buttons at least 44 pixels high (${sizes.buttons})`);
        assert.equal(sizes.pageOverflow, false, 'the page itself does not scroll sideways');
        assert.equal(sizes.gridScrolls, true, 'the grid scrolls within its box');
        await box(code, 1, 'across', 15).tap();
        assert.match(await focusedName(code), /^1 across, letter 15 of 15/);
        await screenshot(page, `crossword-${mode}-360-touch.png`);
        assert.deepEqual(problems, []);
        await page.close();
      }
    } finally {
      await phone.close();
    }
  });
});

describe('crossword over http', () => {
  test('the frames pages and the single page work from a web server', async () => {
    const frames = exportCrossword();
    const single = exportCrossword({ mode: 'single', name: 'one.htm' });
    const { server, url } = await servePages((name) => join(name === 'one.htm' ? single.dir : frames.dir, name));
    const page = await browser.newPage();
    const problems = watchConsole(page);
    try {
      await page.goto(url('puzzle.htm'));
      const code = await frameNamed(page, 'CodeFrame');
      await typeWord(code, 4, 'down', 'a\u00f1o');
      await code.getByRole('button', { name: cwTexts.editCheck }).click();
      assert.match(await status(code).innerText(), /\u2713 4 down/);
      await page.goto(url('one.htm'));
      await typeWord(page.mainFrame(), 2, 'down', '\u00e9t\u00e9s');
      await page.getByRole('button', { name: cwTexts.editCheck }).click();
      assert.match(await page.getByRole('dialog').innerText(), /\u2713 2 down/);
      assert.deepEqual(problems, []);
    } finally {
      await page.close();
      server.close();
    }
  });
});
