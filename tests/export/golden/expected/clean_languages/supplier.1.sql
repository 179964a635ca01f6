INSERT INTO `ps_supplier` (`id_supplier`,`name`,`date_add`,`date_upd`,`active`) VALUES (1,'BOSCH','0000-00-00 00:00:00','0000-00-00 00:00:00',1);
INSERT INTO `ps_supplier` (`id_supplier`,`name`,`date_add`,`date_upd`,`active`) VALUES (2,'FEBI BILSTEIN','0000-00-00 00:00:00','0000-00-00 00:00:00',1);
INSERT INTO `ps_supplier` (`id_supplier`,`name`,`date_add`,`date_upd`,`active`) VALUES (3,'O\'NEIL','0000-00-00 00:00:00','0000-00-00 00:00:00',1);
INSERT INTO `ps_supplier` (`id_supplier`,`name`,`date_add`,`date_upd`,`active`) VALUES (4,'TRAIL\\','0000-00-00 00:00:00','0000-00-00 00:00:00',1);
INSERT INTO `ps_supplier` (`id_supplier`,`name`,`date_add`,`date_upd`,`active`) VALUES (6,'MANN-FILTER','0000-00-00 00:00:00','0000-00-00 00:00:00',1);
